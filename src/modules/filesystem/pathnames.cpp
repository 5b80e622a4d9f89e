#include "pathnames.h"

#include <windows.h>

#include <vector>

namespace {

using PathNameCall = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);

// Asks with a buffer of the platform's path limit first and again with the
// size the platform answers when that was too small.
std::wstring AskPathName(PathNameCall call, const std::wstring& path)
{
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    DWORD length = call(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.assign(length + 1, L'\0');
        length = call(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    if (length == 0 || length >= buffer.size())
        return std::wstring();
    return std::wstring(buffer.data(), length);
}

} // namespace

std::wstring LongPathName(const std::wstring& path)
{
    return AskPathName(::GetLongPathNameW, path);
}

std::wstring ShortPathName(const std::wstring& path)
{
    return AskPathName(::GetShortPathNameW, path);
}
