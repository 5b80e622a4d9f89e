#include "specialfolders.h"

#include <windows.h>
#include <shlobj.h>

std::wstring GetFavoritesFolder()
{
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(GetDesktopWindow(), CSIDL_FAVORITES, &items)) || !items)
        return std::wstring();
    wchar_t path[MAX_PATH] = L"";
    const bool found = SHGetPathFromIDListW(items, path) != FALSE;
    CoTaskMemFree(items);
    return found ? std::wstring(path) : std::wstring();
}
