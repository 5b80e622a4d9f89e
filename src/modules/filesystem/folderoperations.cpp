#include "folderoperations.h"

#include <windows.h>

#include <vector>

bool MakeOneFolder(const std::wstring& path)
{
    return ::CreateDirectoryW(path.c_str(), nullptr) != 0;
}

bool IsExistingFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring WorkingFolderWithSeparator()
{
    const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
    std::vector<wchar_t> buffer(size + 1, L'\0');
    std::wstring folder(buffer.data(), ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data()));
    // A volume root ("C:\") has its separator already.
    if (folder.empty() || folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

bool SetWorkingFolder(const std::wstring& path)
{
    return ::SetCurrentDirectoryW(path.c_str()) != 0;
}
