// The HTTP rows through the call road, by both roads (synchronous and
// asynchronous), against the local HTTP and HTTPS server (urlserver.py,
// started by the test fixture; it logs every request line).
#include "commandcalls.h"
#include "eventcapture.h"
#include "nxaftp.h"
#include "nxahttp.h"
#include "pinnedtable.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "standinform.h"
#include "testserverport.h"
#include "textfile.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <json-c/json.h>

#include <windows.h>

#include <wx/stopwatch.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const int32_t kCreatorForm = 0;
const int32_t kCreatorCaller = 7;
const int32_t kCallingCaller = 9;
const int kTransferTimeoutMs = 15000;
const long kStopBoundMs = 2000;

std::string Quoted(const std::string& text)
{
    std::string json = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            json += '\\';
        json += c;
    }
    return json + "\"";
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// A query that tells this request apart in the server's log.
std::string Tagged(const std::string& path)
{
    static int counter = 0;
    return path + "?t=" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

std::string HttpUrl(const std::string& path)
{
    return "http://127.0.0.1:" + std::to_string(TestServerPort("urlserver", "http")) + path;
}

std::string HttpsUrl(const std::string& path)
{
    return "https://127.0.0.1:" + std::to_string(TestServerPort("urlserver", "https")) + path;
}

bool ServerSaw(const std::string& requestLine)
{
    const std::vector<std::string> lines = SplitLines(ReadFileText(L"urlserver\\requests.log"));
    return std::find(lines.begin(), lines.end(), requestLine) != lines.end();
}

// The server's body of /big and /paced: byte i is i % 251.
std::string PatternBody(size_t size)
{
    std::string body(size, '\0');
    for (size_t index = 0; index < size; ++index)
        body[index] = char(index % 251);
    return body;
}

// A string member of a JSON payload; "<none>" when there is none.
std::string Member(const std::wstring& payload, const char* key)
{
    json_object* value = json_tokener_parse(Narrow(payload).c_str());
    json_object* member = nullptr;
    std::string text = "<none>";
    if (value && json_object_object_get_ex(value, key, &member) && json_object_is_type(member, json_type_string))
        text = json_object_get_string(member);
    json_object_put(value);
    return text;
}

std::wstring ExecutableFolder()
{
    wchar_t path[MAX_PATH];
    std::wstring folder(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

bool IsFinal(const AsyncEventData& event)
{
    return event.eventName != L"onProgress";
}

class HttpCommands : public testing::TestWithParam<bool> {
protected:
    HttpCommands() : centre({&nxaFTP::Module(), &nxaHTTP::Frame::Descriptor()}), form(kCreatorForm, "main")
    {
        EXPECT_TRUE(centre.Initialised());
    }

    void SetUp() override { ASSERT_NE(0, TestServerPort("urlserver", "http")) << "the URL test server is not running"; }

    bool Async() const { return GetParam(); }

    static std::string Create()
    {
        return CallCommandSync("nxa.HTTP.create", "", kCreatorForm, kCreatorCaller);
    }

    // Calls by this test's road; the synchronous answer is always 0.
    void Call(const std::string& name, const std::string& args) const
    {
        if (Async())
            CallCommandAsync(name, args, kCreatorForm, kCallingCaller);
        else
            EXPECT_EQ("0", CallCommandSync(name, args, kCreatorForm, kCallingCaller));
    }

    void GetString(const std::string& id, const std::string& url, const std::string& user = "",
                   const std::string& password = "") const
    {
        Call("nxa.HTTP.getString", id + ", " + Quoted(url) + ", " + Quoted(user) + ", " + Quoted(password));
    }

    void GetFile(const std::string& id, const std::string& url, const std::wstring& path) const
    {
        Call("nxa.HTTP.getFile", id + ", " + Quoted(url) + ", \"\", \"\", " + Quoted(Narrow(path)));
    }

    // Waits for the count of final events (all but "onProgress") and answers
    // every event so far, after checking that each went to the creator.
    std::vector<AsyncEventData> WaitForFinal(size_t count) const
    {
        EXPECT_TRUE(PumpEventsUntil(
            [&] {
                const std::vector<AsyncEventData> events = capture.Events();
                return size_t(std::count_if(events.begin(), events.end(), IsFinal)) >= count;
            },
            kTransferTimeoutMs));
        const std::vector<AsyncEventData> events = capture.Events();
        for (const AsyncEventData& event : events) {
            EXPECT_EQ(kCreatorForm, event.formId);
            EXPECT_EQ(kCreatorCaller, event.callerId);
        }
        return events;
    }

    // The final events, each as "name payload".
    std::vector<std::wstring> FinalEvents(size_t count) const
    {
        std::vector<std::wstring> finals;
        for (const AsyncEventData& event : WaitForFinal(count)) {
            if (IsFinal(event))
                finals.push_back(event.eventName + L" " + event.payload);
        }
        return finals;
    }

    ScopedCommandCentre centre;
    StandInForm form;
    EventCapture capture;
    ScratchFolder scratch;
};

TEST_P(HttpCommands, PinnedTableAndCreate)
{
    ExpectPinnedTable(nxaHTTP::Frame::Descriptor(), {
                                             {"nxa.HTTP.create", 0, "-1"},
                                             {"nxa.HTTP.abort", 1, "0"},
                                             {"nxa.HTTP.close", 1, "0"},
                                             {"nxa.HTTP.getFile", 5, "0"},
                                             {"nxa.HTTP.getString", 4, "0"},
                                         });
    const int first = std::stoi(Create());
    EXPECT_EQ("-1", CallCommandSync("nxa.HTTP.create", "1"));
    EXPECT_EQ(std::to_string(first + 1), Create()) << "a refused create uses no id";
    // Abort and close of an idle object do nothing; the get after them shows
    // that they have run.
    const std::string id = std::to_string(first);
    Call("nxa.HTTP.abort", id);
    Call("nxa.HTTP.close", id);
    GetString(id, HttpUrl("/text"));
    EXPECT_EQ(std::vector<std::wstring>{L"onTransferComplete { \"data\": \"<data>hello<\\/data>\" }"}, FinalEvents(1));
}

TEST_P(HttpCommands, PacedBodyIntoAFileReportsEachBlock)
{
    const std::string id = Create();
    const std::wstring path = scratch / L"paced file.bin";
    GetFile(id, HttpUrl("/paced"), path);
    const std::vector<AsyncEventData> events = WaitForFinal(1);
    ASSERT_EQ(3u, events.size());
    EXPECT_EQ(L"{ \"bytesTransferred\": \"1024\", \"bytesTotal\": \"2048\" }", events[0].payload);
    EXPECT_EQ(L"{ \"bytesTransferred\": \"2048\", \"bytesTotal\": \"2048\" }", events[1].payload);
    EXPECT_EQ(L"onProgress", events[1].eventName);
    EXPECT_EQ(L"onBinaryTransferComplete", events[2].eventName);
    EXPECT_EQ(Narrow(path), Member(events[2].payload, "filename"));
    EXPECT_EQ(PatternBody(2048), ReadFileText(path));
}

TEST_P(HttpCommands, TextGetsDeliverTheBody)
{
    const struct {
        const char* path;
        const char* data;
        size_t progressEvents;
    } cases[] = {
        {"/text", "<data>hello</data>", 1},
        {"/empty", "", 0},
        {"/missing", "not found", 1}, // an error page is a body
    };
    size_t seen = 0;
    size_t finals = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        GetString(Create(), HttpUrl(c.path));
        const std::vector<AsyncEventData> all = WaitForFinal(++finals);
        const std::vector<AsyncEventData> events(all.begin() + long(seen), all.end());
        seen = all.size();
        ASSERT_EQ(c.progressEvents + 1, events.size());
        EXPECT_EQ(L"onTransferComplete", events.back().eventName);
        EXPECT_EQ(c.data, Member(events.back().payload, "data"));
    }
}

// Without a Content-Length the get fails before the body is asked for: no
// GET reaches the server and a local file is neither made nor changed.
TEST_P(HttpCommands, NoContentLengthFailsBeforeTheBody)
{
    const std::wstring existing = scratch / L"existing.txt";
    ASSERT_TRUE(WriteWholeFile(existing, reinterpret_cast<const unsigned char*>("keep"), 4));
    const std::string intoNew = Tagged("/unknown");
    const std::string intoExisting = Tagged("/unknown");
    const std::string intoText = Tagged("/unknown");
    GetFile(Create(), HttpUrl(intoNew), scratch / L"new.txt");
    GetFile(Create(), HttpUrl(intoExisting), existing);
    GetString(Create(), HttpUrl(intoText));
    const std::vector<std::wstring> finals = FinalEvents(3);
    EXPECT_EQ(std::vector<std::wstring>(3, L"onError { }"), finals);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((scratch / L"new.txt").c_str()));
    EXPECT_EQ("keep", ReadFileText(existing));
    for (const std::string& path : {intoNew, intoExisting, intoText}) {
        EXPECT_TRUE(ServerSaw("HEAD " + path)) << path;
        EXPECT_FALSE(ServerSaw("GET " + path)) << path;
    }
}

TEST_P(HttpCommands, NewGetStopsTheRunningOne)
{
    const std::string id = Create();
    GetString(id, HttpUrl("/slow"));
    GetString(id, HttpUrl("/text"));
    EXPECT_EQ((std::vector<std::wstring>{L"onError { }", L"onTransferComplete { \"data\": \"<data>hello<\\/data>\" }"}),
              FinalEvents(2));
}

// During the silence after the headers, close ends the get without an event
// and abort with one "onError", both within the bound. The text get after
// them shows that they have run.
TEST_P(HttpCommands, StopsEndASilentGet)
{
    size_t finals = 0;
    for (const bool abort : {true, false}) {
        SCOPED_TRACE(abort ? "abort" : "close");
        const std::string id = Create();
        const std::string silent = Tagged("/stall");
        GetString(id, HttpUrl(silent));
        ASSERT_TRUE(PumpEventsUntil([&] { return ServerSaw("GET " + silent); }, kTransferTimeoutMs));
        wxStopWatch stopping;
        Call(abort ? "nxa.HTTP.abort" : "nxa.HTTP.close", id);
        GetString(id, HttpUrl("/text"));
        finals += abort ? 2 : 1;
        ASSERT_EQ(finals, FinalEvents(finals).size());
        EXPECT_LT(stopping.Time(), kStopBoundMs);
    }
    std::vector<std::wstring> names;
    for (const std::wstring& event : FinalEvents(finals))
        names.push_back(event.substr(0, event.find(L' ')));
    EXPECT_EQ((std::vector<std::wstring>{L"onError", L"onTransferComplete", L"onTransferComplete"}), names);
}

// Credentials are sent only with a user name.
TEST_P(HttpCommands, CredentialsNeedAUser)
{
    const std::string id = Create();
    GetString(id, HttpUrl("/auth"), "", "secret");
    WaitForFinal(1);
    GetString(id, HttpUrl("/auth"), "user", "pass");
    std::vector<std::string> data;
    for (const AsyncEventData& event : WaitForFinal(2)) {
        if (IsFinal(event))
            data.push_back(Member(event.payload, "data"));
    }
    EXPECT_EQ((std::vector<std::string>{"no authorization", "Authorization: Basic dXNlcjpwYXNz"}), data);
}

// The test server's own certificate is trusted only through "cacert.pem"
// beside the program.
TEST_P(HttpCommands, SelfSignedServerNeedsCacertPem)
{
    ASSERT_NE(0, TestServerPort("urlserver", "https"));
    const std::wstring trusted = ExecutableFolder() + L"cacert.pem";
    DeleteFileW(trusted.c_str());
    const std::string id = Create();
    GetString(id, HttpsUrl("/text"));
    EXPECT_EQ(std::vector<std::wstring>{L"onError { }"}, FinalEvents(1));

    ASSERT_TRUE(CopyFileW(L"urlserver\\cert.pem", trusted.c_str(), FALSE));
    GetString(id, HttpsUrl("/text"));
    const std::vector<std::wstring> finals = FinalEvents(2);
    DeleteFileW(trusted.c_str());
    ASSERT_EQ(2u, finals.size());
    EXPECT_EQ(L"onTransferComplete { \"data\": \"<data>hello<\\/data>\" }", finals[1]);
}

INSTANTIATE_TEST_SUITE_P(Roads, HttpCommands, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Async" : "Sync"; });

// Shutting the module down closes a get that still runs: no event, within
// the bound.
TEST(HttpShutdown, ClosesARunningGet)
{
    ASSERT_NE(0, TestServerPort("urlserver", "http"));
    EventCapture capture;
    const std::string silent = Tagged("/stall");
    wxStopWatch stopping;
    {
        ScopedCommandCentre centre({&nxaFTP::Module(), &nxaHTTP::Frame::Descriptor()});
        const std::string id = CallCommandSync("nxa.HTTP.create");
        EXPECT_EQ("0", CallCommandSync("nxa.HTTP.getString", id + ", " + Quoted(HttpUrl(silent)) + ", \"\", \"\""));
        ASSERT_TRUE(PumpEventsUntil([&] { return ServerSaw("GET " + silent); }, kTransferTimeoutMs));
        stopping.Start();
    }
    EXPECT_LT(stopping.Time(), kStopBoundMs);
    EXPECT_TRUE(capture.Events().empty());
}

} // namespace
