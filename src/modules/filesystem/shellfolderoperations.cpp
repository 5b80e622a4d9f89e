#include "shellfolderoperations.h"

#include "folderoperations.h"

#include <windows.h>

#include <shellapi.h>

namespace {

bool IsSeparator(wchar_t character)
{
    return character == L'\\' || character == L'/';
}

// The shell takes a list of paths, each ending with NUL and the list with a
// second one.
std::wstring ShellPathList(const std::wstring& path)
{
    return path + L'\0';
}

bool FitsTheShell(const std::wstring& path)
{
    return !path.empty() && path.size() <= kLongestShellFolderPath;
}

bool RunShellOperation(UINT operation, const std::wstring& from, const std::wstring& to)
{
    const std::wstring fromList = ShellPathList(from);
    const std::wstring toList = ShellPathList(to);
    SHFILEOPSTRUCTW request = {};
    request.wFunc = operation;
    request.pFrom = fromList.c_str();
    request.pTo = to.empty() ? nullptr : toList.c_str();
    request.fFlags = FOF_SILENT | FOF_NOCONFIRMATION;
    return ::SHFileOperationW(&request) == 0;
}

} // namespace

std::wstring FolderPathForm(const std::wstring& folder)
{
    std::wstring path = folder;
    for (wchar_t& character : path) {
        if (character == L'/')
            character = L'\\';
    }
    while (path.size() > 1 && IsSeparator(path.back()) && path[path.size() - 2] != L':')
        path.pop_back();
    return path;
}

bool CopyFolderTree(const std::wstring& source, const std::wstring& destination)
{
    if (source.empty() || destination.empty())
        return false;
    const std::wstring from = FolderPathForm(source);
    const std::wstring to = FolderPathForm(destination);
    if (IsExistingFolder(to) || !FitsTheShell(from) || !FitsTheShell(to))
        return false;
    return RunShellOperation(FO_COPY, from, to);
}

bool DeleteFolderTree(const std::wstring& folder)
{
    const std::wstring path = FolderPathForm(folder);
    return FitsTheShell(path) && RunShellOperation(FO_DELETE, path, std::wstring());
}
