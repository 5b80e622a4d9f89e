#include "proxylist.h"

#include "flashhttpurl.h"

#include <cctype>
#include <vector>

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsListSeparator(char c)
{
    return c == ';' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::vector<std::string> SplitProxyList(const std::string& list)
{
    std::vector<std::string> entries;
    std::string entry;
    for (char c : list) {
        if (!IsListSeparator(c)) {
            entry += c;
        } else if (!entry.empty()) {
            entries.push_back(entry);
            entry.clear();
        }
    }
    if (!entry.empty())
        entries.push_back(entry);
    return entries;
}

} // namespace

std::string PickProxyForScheme(const std::string& proxyList, const std::string& scheme)
{
    const std::string wanted = Lower(scheme);
    std::string unmarked;
    for (const std::string& entry : SplitProxyList(proxyList)) {
        const size_t equals = entry.find('=');
        if (equals == std::string::npos) {
            if (unmarked.empty())
                unmarked = entry;
        } else if (Lower(entry.substr(0, equals)) == wanted && equals + 1 < entry.size()) {
            return entry.substr(equals + 1);
        }
    }
    return unmarked;
}

std::string UrlSchemeOf(const std::string& url)
{
    if (!HasUrlScheme(url))
        return std::string();
    return Lower(url.substr(0, url.find(':')));
}
