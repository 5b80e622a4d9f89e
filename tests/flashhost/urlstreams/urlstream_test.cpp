// URL streams against a local HTTP and HTTPS server (started by the test
// fixture, see urlserver.py) and from local files: what the plug-in receives
// for each kind of answer, POST buffers, the stream types it can choose,
// certificate checks, and requests that are closed or deleted mid-transfer.

#include "commandcalls.h"
#include "fakeplugin.h"
#include "flashhttpcurl.h"
#include "flashhttprequests.h"
#include "messagepumping.h"
#include "nxaftp.h"
#include "scratchfolder.h"
#include "testserverport.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <wx/stopwatch.h>

#include <algorithm>
#include <memory>
#include <sstream>

namespace {

const int kTransferTimeoutMs = 15000;

std::string HttpUrl(const std::string& path)
{
    return "http://127.0.0.1:" + std::to_string(TestServerPort("urlserver", "http")) + path;
}

std::string HttpsUrl(const std::string& path)
{
    return "https://127.0.0.1:" + std::to_string(TestServerPort("urlserver", "https")) + path;
}

// The server's /big body: byte i is i % 251.
std::string BigBody(size_t size = 70000)
{
    std::string body(size, '\0');
    for (size_t index = 0; index < size; ++index)
        body[index] = char(index % 251);
    return body;
}

std::wstring CurrentFolder()
{
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

std::wstring ExecutableFolder()
{
    wchar_t path[MAX_PATH];
    std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::string FileNameOf(const std::string& path)
{
    return path.substr(path.find_last_of("\\/") + 1);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CallList(const std::vector<std::string>& calls)
{
    std::ostringstream list;
    for (const std::string& call : calls)
        list << call << ' ';
    return list.str();
}

class UrlStreamTest : public testing::Test {
protected:
    // libcurl's global state comes from the FTP module, as at start-up.
    static void SetUpTestSuite() { ASSERT_TRUE(nxaFTP::Initialise()); }

    void SetUp() override { ASSERT_NE(0, TestServerPort("urlserver", "http")) << "the URL test server is not running"; }
    void TearDown() override { FlashHttpRequests::Get().DeleteAll(); }

    FlashHttpCurl& NewRequest() { return FlashHttpRequests::Get().Create(0, plugin->Table()); }

    // Starts a GET and waits for its notification.
    bool Fetch(const std::string& url)
    {
        const NPError started = NewRequest().GetURLNotify(&npp, url.c_str(), nullptr, &notifyTag);
        EXPECT_EQ(NPERR_NO_ERROR, started) << url;
        return started == NPERR_NO_ERROR && PumpMessagesUntil([&] { return plugin->notified; }, kTransferTimeoutMs);
    }

    // Every write continues where the previous one ended, none is larger
    // than a piece, and together they hold the whole body.
    void ExpectContiguousWrites(size_t total) const
    {
        uint32_t next = 0;
        for (const FakePlugin::Write& write : plugin->writes) {
            EXPECT_EQ(next, uint32_t(write.offset));
            EXPECT_LE(size_t(write.length), FlashHttpCurl::kMaxWrite);
            EXPECT_GT(write.length, 0);
            next += uint32_t(write.length);
        }
        EXPECT_EQ(total, next);
    }

    // The plug-in calls by name without the "NPP_" prefix or details.
    std::vector<std::string> Calls() const
    {
        std::vector<std::string> names;
        for (const std::string& call : plugin->calls)
            names.push_back(call.substr(4, call.find(' ') == std::string::npos ? std::string::npos : call.find(' ') - 4));
        return names;
    }
    static long Count(const std::vector<std::string>& calls, const std::string& name)
    {
        return std::count(calls.begin(), calls.end(), name);
    }

    // Serves the body from a file to a plug-in that takes nothing, until the
    // request's backlog is full; null when it does not fill.
    FlashHttpCurl* StartBehindThePlugin(const ScratchFolder& folder, const std::string& body)
    {
        const std::wstring path = folder / L"body.bin";
        if (!WriteWholeFile(path, reinterpret_cast<const unsigned char*>(body.data()), long(body.size())))
            return nullptr;
        plugin->writeReadyAnswer = 0;
        FlashHttpCurl& request = NewRequest();
        if (request.GetURLNotify(&npp, Narrow(path).c_str(), nullptr, &notifyTag) != NPERR_NO_ERROR)
            return nullptr;
        const bool full = PumpMessagesUntil(
            [&] { return request.BackloggedBytes() >= FlashHttpCurl::kBacklogLimit; }, kTransferTimeoutMs);
        return full ? &request : nullptr;
    }

    void ResetPlugin()
    {
        plugin.reset();
        plugin = std::make_unique<FakePlugin>();
    }

    std::unique_ptr<FakePlugin> plugin = std::make_unique<FakePlugin>();
    int pluginData = 0;
    int hostData = 0;
    NPP_t npp = {&pluginData, &hostData};
    int notifyTag = 0;
};

TEST_F(UrlStreamTest, AnswersOfTheServerReachThePlugin)
{
    const uint32_t kUnknownLength = 0xFFFFFFFF;
    struct Case {
        const char* path;
        NPReason reason;
        std::string body;
        bool streamed;
        uint32_t end;
        const char* mimeType;
    } cases[] = {
        {"/big", NPRES_DONE, BigBody(), true, 70000, "application/octet-stream"},
        {"/text", NPRES_DONE, "<data>hello</data>", true, 18, "text/xml"},
        {"/unknown", NPRES_DONE, "length unknown", true, kUnknownLength, "text/plain"},
        {"/empty", NPRES_DONE, "", false, 0, ""},
        {"/missing", NPRES_NETWORK_ERR, "", false, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        ResetPlugin();
        const std::string url = HttpUrl(c.path);
        ASSERT_TRUE(Fetch(url));
        EXPECT_EQ(c.reason, plugin->notifyReason);
        EXPECT_EQ(url, plugin->notifyUrl);
        EXPECT_EQ(&notifyTag, plugin->notifyData);
        EXPECT_EQ(c.body == plugin->data, true) << "received " << plugin->data.size() << " bytes";
        ExpectContiguousWrites(c.body.size());
        if (c.streamed) {
            EXPECT_EQ(c.end, plugin->streamEnd);
            EXPECT_EQ(c.mimeType, plugin->mimeType);
            ASSERT_GE(Calls().size(), 4u);
            EXPECT_EQ("NewStream", Calls()[0]);
            EXPECT_EQ("WriteReady", Calls()[1]);
            EXPECT_EQ("DestroyStream", Calls()[Calls().size() - 2]);
            EXPECT_EQ(c.reason, plugin->LastDestroyReason());
        } else {
            EXPECT_EQ("URLNotify ", CallList(Calls())) << "no stream for a request without data";
        }
        EXPECT_EQ("URLNotify", Calls().back());
    }
}

TEST_F(UrlStreamTest, PostSendsTheHeaderLinesAndBodyOfTheBuffer)
{
    struct Case {
        std::string buffer;
        std::string answer;
    } cases[] = {
        {"X-First: one\r\nX-Second: two\r\n\r\nhello",
         "X-First: one\nX-Second: two\nContent-Type: application/x-www-form-urlencoded\nbody=hello"},
        {"Content-Type: text/xml\r\n\r\n<a/>", "Content-Type: text/xml\nbody=<a/>"},
        // Without the blank line the whole buffer is the body.
        {"a=1&b=2", "Content-Type: application/x-www-form-urlencoded\nbody=a=1&b=2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buffer);
        ResetPlugin();
        std::vector<char> buffer(c.buffer.begin(), c.buffer.end());
        ASSERT_EQ(NPERR_NO_ERROR, NewRequest().PostURLNotify(&npp, HttpUrl("/echo").c_str(), nullptr,
                                                             uint32_t(buffer.size()), buffer.data(), 0, &notifyTag));
        // The buffer is the plug-in's: it may be reused as soon as the call returns.
        std::fill(buffer.begin(), buffer.end(), 'z');
        ASSERT_TRUE(PumpMessagesUntil([&] { return plugin->notified; }, kTransferTimeoutMs));
        EXPECT_EQ(NPRES_DONE, plugin->notifyReason);
        EXPECT_EQ(c.answer, plugin->data);
    }
}

TEST_F(UrlStreamTest, RequestsThatCannotStartAreRefusedWithoutNotification)
{
    NPP_t noHost = {&pluginData, nullptr};
    const char body[] = "x=1";
    EXPECT_EQ(NPERR_GENERIC_ERROR, NewRequest().GetURLNotify(&noHost, HttpUrl("/big").c_str(), nullptr, nullptr));
    EXPECT_EQ(NPERR_GENERIC_ERROR, NewRequest().GetURLNotify(nullptr, HttpUrl("/big").c_str(), nullptr, nullptr));
    EXPECT_EQ(NPERR_GENERIC_ERROR,
              NewRequest().PostURLNotify(&noHost, HttpUrl("/echo").c_str(), nullptr, 3, body, 0, nullptr));
    EXPECT_EQ(NPERR_INVALID_PARAM,
              NewRequest().PostURLNotify(&npp, HttpUrl("/echo").c_str(), nullptr, 0, body, 0, nullptr));
    EXPECT_EQ(NPERR_INVALID_URL, NewRequest().GetURLNotify(&npp, nullptr, nullptr, nullptr));
    FlashHttpCurl& once = NewRequest();
    EXPECT_EQ(NPERR_NO_ERROR, once.GetURLNotify(&npp, HttpUrl("/text").c_str(), nullptr, nullptr));
    EXPECT_EQ(NPERR_GENERIC_ERROR, once.GetURLNotify(&npp, HttpUrl("/text").c_str(), nullptr, nullptr))
        << "one request per object";
    ASSERT_TRUE(PumpMessagesUntil([&] { return plugin->notified && once.HasEnded(); }, kTransferTimeoutMs));
    PumpPendingMessages(); // what the ended transfer posted
    EXPECT_EQ(1, Count(Calls(), "URLNotify"));
}

TEST_F(UrlStreamTest, StreamTypesTheCallerChooses)
{
    struct Case {
        uint16_t streamType;
        bool written;
        bool asFile;
    } cases[] = {
        {NP_NORMAL, true, false},
        {NP_ASFILE, true, true},
        {NP_ASFILEONLY, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.streamType);
        ResetPlugin();
        plugin->streamType = c.streamType;
        ASSERT_TRUE(Fetch(HttpUrl("/big")));
        EXPECT_EQ(NPRES_DONE, plugin->notifyReason);
        if (c.written) {
            EXPECT_EQ(BigBody(), plugin->data);
            ExpectContiguousWrites(70000);
        } else {
            EXPECT_TRUE(plugin->writes.empty());
            EXPECT_EQ(0, Count(Calls(), "WriteReady"));
        }
        EXPECT_EQ(c.asFile, plugin->fileHandedOver);
        if (c.asFile) {
            EXPECT_EQ(0u, FileNameOf(plugin->fileName).rfind("nxa", 0)) << plugin->fileName;
            EXPECT_TRUE(plugin->fileContent == BigBody()) << plugin->fileContent.size() << " bytes in the file";
            EXPECT_FALSE(FileExists(plugin->fileName)) << "the file goes with its stream";
            const std::vector<std::string> calls = Calls();
            EXPECT_EQ("StreamAsFile DestroyStream URLNotify ", CallList({calls.end() - 3, calls.end()}));
        }
    }
}

TEST_F(UrlStreamTest, BrokenTransferEndsTheStreamWithoutAFile)
{
    plugin->streamType = NP_ASFILE;
    ASSERT_TRUE(Fetch(HttpUrl("/truncated")));
    EXPECT_EQ(NPRES_NETWORK_ERR, plugin->notifyReason);
    EXPECT_EQ(NPRES_NETWORK_ERR, plugin->LastDestroyReason());
    EXPECT_FALSE(plugin->fileHandedOver);
    EXPECT_EQ(Count(Calls(), "StreamAsFile"), 1);
    EXPECT_EQ(BigBody(20000), plugin->data) << "what arrived stays delivered";
}

TEST_F(UrlStreamTest, RefusedStreamGetsNoWritesAndNoDestroy)
{
    plugin->newStreamAnswer = NPERR_GENERIC_ERROR;
    ASSERT_TRUE(Fetch(HttpUrl("/big")));
    EXPECT_EQ("NewStream URLNotify ", CallList(Calls()));
    EXPECT_EQ(NPRES_NETWORK_ERR, plugin->notifyReason);
}

TEST_F(UrlStreamTest, LocalFilesAreServedFromDisk)
{
    ScratchFolder folder;
    const std::string body = BigBody();
    ASSERT_TRUE(WriteWholeFile(folder / L"data.xml", reinterpret_cast<const unsigned char*>(body.data()),
                               long(body.size())));
    ASSERT_TRUE(CreateDirectoryW((folder / L"sub dir").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(folder / L"sub dir\\a%20b.txt", reinterpret_cast<const unsigned char*>("ab"), 2));
    const std::wstring previous = CurrentFolder();
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));

    std::string absolute = Narrow(folder / L"data.xml");
    std::string forward = absolute;
    std::replace(forward.begin(), forward.end(), '\\', '/');
    ASSERT_TRUE(absolute.size() > 3 && absolute[1] == ':') << absolute;
    struct Case {
        std::string url;
        NPReason reason;
        std::string body;
    } cases[] = {
        {"data.xml", NPRES_DONE, body},
        {absolute, NPRES_DONE, body},
        {forward, NPRES_DONE, body},
        {"file:///" + forward, NPRES_DONE, body},
        {"sub dir\\a%20b.txt", NPRES_DONE, "ab"},
        {"missing.xml", NPRES_NETWORK_ERR, ""},
        {"sub dir", NPRES_NETWORK_ERR, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        ResetPlugin();
        EXPECT_TRUE(Fetch(c.url));
        EXPECT_EQ(c.reason, plugin->notifyReason);
        EXPECT_EQ(c.url, plugin->notifyUrl);
        EXPECT_TRUE(c.body == plugin->data) << plugin->data.size() << " bytes";
        ExpectContiguousWrites(c.body.size());
        if (c.reason != NPRES_DONE)
            EXPECT_EQ("URLNotify ", CallList(Calls()));
        else
            EXPECT_EQ(c.body.size(), plugin->streamEnd);
    }
    SetCurrentDirectoryW(previous.c_str());
}

// Every write is preceded by NPP_WriteReady and is no larger than it
// allows, nor than a piece.
TEST_F(UrlStreamTest, WritesAreNoLargerThanWriteReadyAllows)
{
    for (int32_t ready : {1000, 0x0FFFFFFF}) {
        SCOPED_TRACE(ready);
        ResetPlugin();
        plugin->writeReadyAnswer = ready;
        ASSERT_TRUE(Fetch(HttpUrl("/big")));
        EXPECT_EQ(BigBody(), plugin->data);
        ExpectContiguousWrites(70000);
        int32_t largest = 0;
        for (const FakePlugin::Write& write : plugin->writes)
            largest = std::max(largest, write.length);
        EXPECT_LE(size_t(largest), std::min(size_t(ready), FlashHttpCurl::kMaxWrite));
        const std::vector<std::string> calls = Calls();
        for (size_t index = 0; index < calls.size(); ++index) {
            if (calls[index] == "Write") {
                EXPECT_EQ("WriteReady", calls[index - 1]) << "call " << index;
            }
        }
    }
}

// A plug-in that takes nothing for a while: the data waits, the transfer
// pauses once the backlog is full instead of reading the whole body into
// memory, and everything arrives in order once the plug-in takes again.
TEST_F(UrlStreamTest, TransferPausesWhileThePluginTakesNothing)
{
    const size_t kOnePieceOfLibcurl = 128 * 1024;
    ScratchFolder folder;
    const std::string body = BigBody(4 * FlashHttpCurl::kBacklogLimit);
    FlashHttpCurl* request = StartBehindThePlugin(folder, body);
    ASSERT_TRUE(request);
    // The plug-in is asked again and again meanwhile; the transfer holds.
    size_t mostHeld = 0;
    ASSERT_TRUE(PumpMessagesUntil(
        [&] {
            mostHeld = std::max(mostHeld, request->BackloggedBytes());
            return Count(Calls(), "WriteReady") >= 30;
        },
        kTransferTimeoutMs));
    EXPECT_LE(mostHeld, FlashHttpCurl::kBacklogLimit + kOnePieceOfLibcurl);
    EXPECT_TRUE(plugin->writes.empty());
    EXPECT_FALSE(plugin->notified);

    plugin->writeReadyAnswer = 0x0FFFFFFF;
    ASSERT_TRUE(PumpMessagesUntil([&] { return plugin->notified; }, kTransferTimeoutMs));
    EXPECT_EQ(NPRES_DONE, plugin->notifyReason);
    EXPECT_TRUE(body == plugin->data) << plugin->data.size() << " bytes";
    ExpectContiguousWrites(body.size());
}

TEST_F(UrlStreamTest, PausedTransferIsDeletedAtOnce)
{
    ScratchFolder folder;
    ASSERT_TRUE(StartBehindThePlugin(folder, BigBody(4 * FlashHttpCurl::kBacklogLimit)));
    plugin->calls.clear();
    wxStopWatch watch;
    FlashHttpRequests::Get().DeleteAll();
    EXPECT_LT(watch.Time(), 5000);
    PumpPendingMessages();
    EXPECT_EQ("", CallList(Calls()));
}

// Data that arrives in separate blocks reaches the plug-in as it comes, not
// held back until the transfer ends.
TEST_F(UrlStreamTest, DataReachesThePluginAsItArrives)
{
    ASSERT_EQ(NPERR_NO_ERROR, NewRequest().GetURLNotify(&npp, HttpUrl("/paced").c_str(), nullptr, &notifyTag));
    ASSERT_TRUE(PumpMessagesUntil([&] { return !plugin->data.empty(); }, kTransferTimeoutMs));
    EXPECT_EQ(1024u, plugin->data.size()) << "the first block, before the server sends the second";
    EXPECT_FALSE(plugin->notified);
    ASSERT_TRUE(PumpMessagesUntil([&] { return plugin->notified; }, kTransferTimeoutMs));
    EXPECT_EQ(BigBody(2048), plugin->data);
}

// A request that is deleted mid-transfer ends at once, even while its server
// sends nothing, and tells the plug-in nothing more.
TEST_F(UrlStreamTest, DeletionStopsAStalledTransfer)
{
    ASSERT_EQ(NPERR_NO_ERROR, NewRequest().GetURLNotify(&npp, HttpUrl("/stall").c_str(), nullptr, &notifyTag));
    wxStopWatch watch;
    FlashHttpRequests::Get().DeleteAll();
    EXPECT_LT(watch.Time(), 5000);
    PumpPendingMessages(); // the transfer threads are gone; nothing they posted is left for the plug-in
    EXPECT_EQ("", CallList(Calls()));
}

// An instance that goes away closes its requests; requests that have ended,
// or were closed, are deleted when the next one is made.
TEST_F(UrlStreamTest, ClosedAndEndedRequestsAreDeleted)
{
    int otherData = 0;
    NPP_t closing = {&otherData, &hostData};
    ASSERT_TRUE(Fetch(HttpUrl("/text")));
    EXPECT_EQ(1u, FlashHttpRequests::Get().Count());
    FlashHttpCurl& stalled = NewRequest();
    ASSERT_EQ(NPERR_NO_ERROR, stalled.GetURLNotify(&closing, HttpUrl("/stall").c_str(), nullptr, nullptr));
    EXPECT_EQ(1u, FlashHttpRequests::Get().Count()) << "the ended request is gone";
    plugin->calls.clear();
    FlashHttpRequests::Get().CloseForInstance(&closing);
    ASSERT_TRUE(PumpMessagesUntil([&] { return stalled.HasEnded(); }, kTransferTimeoutMs));
    PumpPendingMessages();
    EXPECT_TRUE(Calls().empty()) << CallList(Calls());
    NewRequest();
    EXPECT_EQ(1u, FlashHttpRequests::Get().Count()) << "the closed request is gone";
}

// Servers are checked against the system's certificates and "cacert.pem"
// beside the executable: the test server's own certificate is trusted only
// while that file holds it.
TEST_F(UrlStreamTest, SelfSignedServerIsTrustedOnlyThroughCacertPem)
{
    ASSERT_NE(0, TestServerPort("urlserver", "https"));
    const std::wstring trusted = ExecutableFolder() + L"cacert.pem";
    DeleteFileW(trusted.c_str());
    ASSERT_TRUE(Fetch(HttpsUrl("/text")));
    EXPECT_EQ(NPRES_NETWORK_ERR, plugin->notifyReason);
    EXPECT_EQ("URLNotify ", CallList(Calls()));

    ASSERT_TRUE(CopyFileW(L"urlserver\\cert.pem", trusted.c_str(), FALSE));
    ResetPlugin();
    const bool fetched = Fetch(HttpsUrl("/text"));
    DeleteFileW(trusted.c_str());
    ASSERT_TRUE(fetched);
    EXPECT_EQ(NPRES_DONE, plugin->notifyReason);
    EXPECT_EQ("<data>hello</data>", plugin->data);
}

} // namespace
