#include "numbertext.h"

#include <cerrno>
#include <cwchar>

bool ParseInt32(const std::wstring& text, int32_t& value)
{
    if (text.empty())
        return false;
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    const long long parsed = std::wcstoll(begin, &end, 10);
    if (end == begin || *end != L'\0' || errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}
