#include "transferurl.h"

namespace {

std::string EscapedPath(const std::string& path)
{
    std::string escaped;
    escaped.reserve(path.size());
    for (char byte : path) {
        switch (byte) {
        case ' ':
            escaped += "%20";
            break;
        case '#':
            escaped += "%23";
            break;
        case '?':
            escaped += "%3F";
            break;
        default:
            escaped += byte;
        }
    }
    return escaped;
}

} // namespace

std::string JoinTransferUrl(const std::string& url, const std::string& remotePath)
{
    const bool endsWithSlash = !url.empty() && url.back() == '/';
    return url + (endsWithSlash ? "" : "/") + EscapedPath(remotePath);
}
