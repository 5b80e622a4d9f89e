#include "sysdrivetexts.h"

#include <cstdio>
#include <string>

std::wstring DriveRoot(const std::wstring& driveText)
{
    return driveText + L":\\";
}

std::wstring SerialNumberText(uint32_t serial)
{
    char digits[9] = {};
    std::snprintf(digits, sizeof(digits), "%X", static_cast<unsigned>(serial));
    return std::wstring(digits, digits + std::char_traits<char>::length(digits));
}

std::wstring SpaceQueryRoot(const std::wstring& driveText)
{
    if (driveText.size() != 1)
        return std::wstring();
    wchar_t letter = driveText[0];
    if (letter >= L'A' && letter <= L'Z')
        letter = static_cast<wchar_t>(letter - L'A' + L'a');
    if (letter < L'a' || letter > L'z')
        return std::wstring();
    return DriveRoot(std::wstring(1, letter));
}

int32_t LowKibibytes(uint64_t bytes)
{
    return static_cast<int32_t>(static_cast<uint32_t>(bytes / 1024));
}

std::wstring FirstRootWhere(const std::wstring& rootList, const std::function<bool(const std::wstring&)>& accepts)
{
    size_t start = 0;
    while (start < rootList.size()) {
        size_t end = rootList.find(L'\0', start);
        if (end == std::wstring::npos)
            end = rootList.size();
        if (end == start)
            break; // the empty root that ends the list
        const std::wstring root = rootList.substr(start, end - start);
        if (accepts(root))
            return root;
        start = end + 1;
    }
    return std::wstring();
}

std::wstring TrayDevicePath(const std::wstring& driveText)
{
    return L"\\\\.\\" + driveText + L":";
}
