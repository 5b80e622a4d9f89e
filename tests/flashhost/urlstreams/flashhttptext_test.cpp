// Reading the plug-in's URL requests: which texts are local paths, the file
// URLs they become, POST buffers and proxy lists.

#include "flashhttppost.h"
#include "flashhttpurl.h"
#include "proxylist.h"

#include <gtest/gtest.h>

namespace {

TEST(FlashHttpUrl, SchemesPathsAndDrives)
{
    struct Case {
        const char* text;
        bool scheme;
        bool absolutePath;
    } cases[] = {
        {"http://example.com/a", true, false},
        {"file:///C:/a.xml", true, false},
        {"svn+ssh://host/x", true, false},
        {"x-1.2:rest", true, false},
        {"C:\\movies\\a.swf", false, true},
        {"c:/movies/a.swf", false, true},
        {"C:a.swf", false, true},
        {"\\\\server\\share\\a.swf", false, true},
        {"/root/a.swf", false, true},
        {"data.xml", false, false},
        {"sub/data.xml", false, false},
        {"1http://x", false, false},
        {":x", false, false},
        {"http", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.scheme, HasUrlScheme(c.text)) << c.text;
        EXPECT_EQ(c.absolutePath, IsAbsoluteLocalPath(c.text)) << c.text;
    }
}

TEST(FlashHttpUrl, FileUrlsKeepThePathExactly)
{
    struct Case {
        const char* path;
        const char* url;
    } cases[] = {
        {"C:\\movies\\data.xml", "file:///C:/movies/data.xml"},
        {"C:/app/sub dir/a%b#c?.txt", "file:///C:/app/sub%20dir/a%25b%23c%3F.txt"},
        {"\\\\server\\share\\x.xml", "file:////server/share/x.xml"},
        {"/x.xml", "file:///x.xml"},
        {"C:\\caf\xC3\xA9.xml", "file:///C:/caf%C3%A9.xml"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.url, FileUrlFromPath(c.path)) << c.path;
}

TEST(FlashHttpPost, HeaderLinesAndBody)
{
    struct Case {
        std::string buffer;
        std::vector<std::string> headers;
        std::string body;
    } cases[] = {
        {"A: 1\r\nB: 2\r\n\r\nhello", {"A: 1", "B: 2"}, "hello"},
        {"A: 1\r\n\r\n\r\n\r\nrest", {"A: 1"}, "\r\n\r\nrest"},
        {"\r\n\r\nbody only", {}, "body only"},
        {"A: 1\r\n\r\nB: 2\r\n\r\n", {"A: 1"}, "B: 2\r\n\r\n"},
        {"a=1&b=2", {}, "a=1&b=2"},
        {"A: 1\r\n\r\n", {"A: 1"}, ""},
        {std::string("H: x\r\n\r\n\0bin\0", 13), {"H: x"}, std::string("\0bin\0", 5)},
    };
    for (const Case& c : cases) {
        const FlashHttpPost post = SplitPostBuffer(c.buffer.data(), c.buffer.size());
        EXPECT_EQ(c.headers, post.headerLines) << c.buffer;
        EXPECT_EQ(c.body, post.body) << c.buffer;
    }
    EXPECT_TRUE(SplitPostBuffer(nullptr, 5).body.empty());
}

TEST(ProxyList, OneProxyForTheScheme)
{
    struct Case {
        const char* list;
        const char* scheme;
        const char* proxy;
    } cases[] = {
        {"proxy:8080", "http", "proxy:8080"},
        {"http=web:80;https=secure:443", "https", "secure:443"},
        {"HTTP=web:80 https=secure:443", "http", "web:80"},
        {"ftp=f:21; any:3128", "https", "any:3128"},
        {"first:1;second:2", "http", "first:1"},
        {"ftp=f:21", "http", ""},
        {"", "http", ""},
        {"http=", "http", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.proxy, PickProxyForScheme(c.list, c.scheme)) << c.list << " for " << c.scheme;
    EXPECT_EQ("https", UrlSchemeOf("HTTPS://host/"));
    EXPECT_EQ("", UrlSchemeOf("C:\\x"));
}

} // namespace
