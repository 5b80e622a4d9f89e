#include "flashhttpurl.h"

#include <cctype>
#include <cstdio>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsSchemeCharacter(char c)
{
    return IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool HasDrive(const std::string& path)
{
    return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

bool IsKeptInFileUrl(unsigned char c)
{
    return IsAsciiLetter(char(c)) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
           c == '/' || c == ':';
}

} // namespace

bool HasUrlScheme(const std::string& url)
{
    if (url.empty() || !IsAsciiLetter(url[0]))
        return false;
    size_t index = 1;
    while (index < url.size() && IsSchemeCharacter(url[index]))
        ++index;
    return index >= 2 && index < url.size() && url[index] == ':';
}

bool IsAbsoluteLocalPath(const std::string& path)
{
    return HasDrive(path) || (!path.empty() && IsSeparator(path[0]));
}

std::string FileUrlFromPath(const std::string& path)
{
    std::string url = "file://";
    if (HasDrive(path))
        url += '/';
    for (unsigned char c : path) {
        if (c == '\\')
            c = '/';
        if (IsKeptInFileUrl(c)) {
            url += char(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", unsigned(c));
            url += escaped;
        }
    }
    return url;
}
