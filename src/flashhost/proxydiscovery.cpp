#include "proxydiscovery.h"

#include "proxylist.h"
#include "textconv.h"

#include <curl/curl.h>

#include <windows.h>
#include <winhttp.h>

namespace {

// The user's Internet settings; the strings belong to the record.
class IeProxySettings {
public:
    IeProxySettings() : m_config() { m_read = WinHttpGetIEProxyConfigForCurrentUser(&m_config) != FALSE; }
    ~IeProxySettings()
    {
        GlobalFree(m_config.lpszAutoConfigUrl);
        GlobalFree(m_config.lpszProxy);
        GlobalFree(m_config.lpszProxyBypass);
    }
    IeProxySettings(const IeProxySettings&) = delete;
    IeProxySettings& operator=(const IeProxySettings&) = delete;

    bool WantsDiscovery() const { return !m_read || m_config.lpszAutoConfigUrl || m_config.fAutoDetect; }
    const wchar_t* AutoConfigUrl() const { return m_config.lpszAutoConfigUrl; }
    const wchar_t* Proxy() const { return m_config.lpszProxy; }

private:
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG m_config;
    bool m_read = false;
};

// Asks WinHTTP's automatic discovery (a configuration script, else DHCP and
// DNS) for the URL's proxy list; false when discovery failed.
bool DiscoverProxy(const std::wstring& url, const wchar_t* autoConfigUrl, std::wstring& proxyList)
{
    WINHTTP_AUTOPROXY_OPTIONS options = {};
    if (autoConfigUrl) {
        options.dwFlags = WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = autoConfigUrl;
    } else {
        options.dwFlags = WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    }
    options.fAutoLogonIfChallenged = TRUE;
    HINTERNET session = WinHttpOpen(L"Kova4", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                    WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC);
    if (!session)
        return false;
    WINHTTP_PROXY_INFO info = {};
    const bool found = WinHttpGetProxyForUrl(session, url.c_str(), &options, &info) != FALSE;
    WinHttpCloseHandle(session);
    if (found && info.lpszProxy)
        proxyList = info.lpszProxy;
    GlobalFree(info.lpszProxy);
    GlobalFree(info.lpszProxyBypass);
    return found;
}

std::string HostOf(const std::string& url)
{
    const size_t start = url.find("://");
    if (start == std::string::npos)
        return std::string();
    std::string authority = url.substr(start + 3, url.find_first_of("/?#", start + 3) - (start + 3));
    authority = authority.substr(authority.find('@') + 1);
    if (!authority.empty() && authority[0] == '[')
        return authority.substr(1, authority.find(']') - 1);
    return authority.substr(0, authority.find(':'));
}

bool GoesDirect(const std::string& url)
{
    const std::string scheme = UrlSchemeOf(url);
    if (scheme == "file")
        return true;
    const std::string host = HostOf(url);
    return host == "localhost" || host == "::1" || host.compare(0, 4, "127.") == 0;
}

void UseProxy(CURL* curl, const std::string& url, const std::wstring& proxyList)
{
    const std::string proxy = PickProxyForScheme(WideToUtf8(proxyList), UrlSchemeOf(url));
    curl_easy_setopt(curl, CURLOPT_PROXY, proxy.c_str());
}

} // namespace

void SetProxyForUrl(CURL* curl, const std::string& url)
{
    if (GoesDirect(url)) {
        curl_easy_setopt(curl, CURLOPT_PROXY, "");
        return;
    }
    IeProxySettings settings;
    std::wstring proxyList;
    if (settings.WantsDiscovery() && DiscoverProxy(Utf8ToWide(url), settings.AutoConfigUrl(), proxyList)) {
        UseProxy(curl, url, proxyList);
        return;
    }
    if (settings.Proxy())
        UseProxy(curl, url, settings.Proxy());
}
