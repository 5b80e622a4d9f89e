#pragma once

#include <string>

typedef void CURL;

// Points a libcurl handle at the proxy that serves the URL (UTF-8): the one
// Windows' automatic discovery finds when the user's Internet settings ask
// for it (or cannot be read), else the proxy those settings name. Local files
// and loopback addresses always go direct.
void SetProxyForUrl(CURL* curl, const std::string& url);
