#include "contentlength.h"
#include "textdecoding.h"
#include "transferurl.h"

#include <gtest/gtest.h>

namespace {

TEST(JoinTransferUrl, JoinsWithOneSlashAndEscapesWhatLibcurlRefuses)
{
    const struct {
        const char* url;
        const char* path;
        const char* joined;
    } cases[] = {
        {"ftp://host", "file.txt", "ftp://host/file.txt"},
        {"ftp://host/", "file.txt", "ftp://host/file.txt"},
        {"ftp://host/dir", "sub/file.txt", "ftp://host/dir/sub/file.txt"},
        // A path from the server's root, whether or not the URL ends with "/".
        {"ftp://host", "/etc/file", "ftp://host//etc/file"},
        {"ftp://host/", "/etc/file", "ftp://host//etc/file"},
        {"ftp://host", "a b#c?d.txt", "ftp://host/a%20b%23c%3Fd.txt"},
        // "%" and other bytes stay: a path may come escaped already.
        {"ftp://host", "x%41\xC3\xA9.txt", "ftp://host/x%41\xC3\xA9.txt"},
        // The connection's URL is taken as it is.
        {"ftp://h o/#", "", "ftp://h o/#/"},
        {"", "f", "/f"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.joined, JoinTransferUrl(c.url, c.path)) << c.url << " + " << c.path;
}

TEST(ContentLengthInHeader, ReadsTheFirstFieldAtALineStart)
{
    const struct {
        std::string header;
        int32_t length;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Length: 2048\r\n\r\n", 2048},
        {"HTTP/1.1 200 OK\r\ncontent-length:7\r\n\r\n", 7},
        {"HTTP/1.1 200 OK\r\nCONTENT-LENGTH: \t 0\r\n\r\n", 0},
        {"HTTP/1.1 200 OK\r\nContent-Length: 12\r\nContent-Length: 99\r\n", 12},
        {"HTTP/1.1 200 OK\nContent-Length: 5", 5},
        {"HTTP/1.1 200 OK\r\nContent-Length: 2147483647\r\n", 2147483647},
        {"HTTP/1.1 200 OK\r\nContent-Length: 42abc\r\n", 42},
        // None usable.
        {"", -1},
        {"HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n", -1},
        {"HTTP/1.1 200 OK\r\nX-Content-Length: 5\r\n\r\n", -1},
        {"HTTP/1.1 200 OK\r\nX: a Content-Length: 5\r\n\r\n", -1},
        {"HTTP/1.1 200 OK\r\nContent-Length: 2147483648\r\n", -1},
        {"HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n", -1},
        {"HTTP/1.1 200 OK\r\nContent-Length: -5\r\n", -1},
        {"HTTP/1.1 200 OK\r\nContent-Length:\r\n", -1},
        {"HTTP/1.1 200 OK\r\nContent-Length", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.length, ContentLengthInHeader(c.header)) << c.header;
}

TEST(DecodeStrictUtf8, DecodesValidTextAndRefusesTheRest)
{
    std::wstring text = L"old";
    const std::string valid("a\xC3\xA9\0z", 5);
    ASSERT_TRUE(DecodeStrictUtf8(reinterpret_cast<const unsigned char*>(valid.data()), valid.size(), text));
    EXPECT_EQ(std::wstring(L"a\u00E9\0z", 4), text);
    for (const std::string bad : {"a\xFF", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82"}) {
        text = L"old";
        EXPECT_FALSE(DecodeStrictUtf8(reinterpret_cast<const unsigned char*>(bad.data()), bad.size(), text));
        EXPECT_EQ(L"", text);
    }
}

} // namespace
