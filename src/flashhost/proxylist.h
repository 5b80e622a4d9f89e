#pragma once

#include <string>

// Windows names proxies as a list: entries separated by ";" or blanks, each
// "[<scheme>=][<scheme>://]<host>[:<port>]". libcurl takes one proxy.

// The proxy for a URL with the given scheme ("http", "https"; compared
// without regard to case): the entry marked for that scheme, else the first
// entry that names no scheme. Empty when the list has neither, which makes
// libcurl connect directly.
std::string PickProxyForScheme(const std::string& proxyList, const std::string& scheme);

// The scheme of a URL, in lower case; empty when it has none (a drive letter
// is no scheme).
std::string UrlSchemeOf(const std::string& url);
