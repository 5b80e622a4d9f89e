#include "fileoperations.h"

#include "filewriteguard.h"
#include "scopedfileclose.h"
#include "wholefile.h"

#include <windows.h>

bool CopyFileReplacing(const std::wstring& source, const std::wstring& destination)
{
    const FileWriteGuard writing;
    if (!::CopyFileW(source.c_str(), destination.c_str(), FALSE))
        return false;
    // Wine's copy onto an existing file keeps that file's attributes; the
    // copy takes the source's, as the platform promises.
    const DWORD attributes = ::GetFileAttributesW(source.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesW(destination.c_str(), attributes);
    return true;
}

bool DeleteOneFile(const std::wstring& path)
{
    return ::DeleteFileW(path.c_str()) != 0;
}

bool IsExistingFile(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

uint64_t FileLength(const std::wstring& path)
{
    ScopedFileClose file(OpenFileWide(path, L"rb"));
    if (!file || !SeekFile(file.Get(), 0, SEEK_END))
        return 0;
    const int64_t length = TellFile(file.Get());
    return length > 0 ? static_cast<uint64_t>(length) : 0;
}
