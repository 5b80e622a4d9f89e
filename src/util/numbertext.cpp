#include "numbertext.h"

#include <cerrno>
#include <cwchar>

bool ParseInt32(const std::wstring& text, int32_t& value, int base)
{
    if (text.empty())
        return false;
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    const long long parsed = std::wcstoll(begin, &end, base);
    // The end is compared with the text's length, so a zero character inside
    // the text does not end it early.
    if (end == begin || end != begin + text.size() || errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}
