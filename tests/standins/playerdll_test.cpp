// Loads the stand-in player DLL like the runtime does (five exports, NPP
// table, one instance on a drawable), feeds it movies and reads its
// transcript.

#include "childprocess.h"
#include "fakebrowser.h"
#include "scratchfolder.h"
#include "standinmovie.h"
#include "textfile.h"
#include "waituntil.h"
#include "windowmessages.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>
#include <thread>

namespace {

constexpr int32_t kChunk = 30720;

template <class Function>
Function Export(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// One loaded player with one instance on a 200 x 100 memory drawable.
class PlayerSession {
public:
    PlayerSession()
    {
        SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", m_transcript.c_str());
        m_library = LoadLibraryW(BuildTreePath(KOVA_STANDIN_PLAYER_DLL).c_str());
        if (!m_library)
            return;
        auto getEntryPoints = Export<NP_GetEntryPointsFunc>(m_library, "NP_GetEntryPoints");
        auto initialize = Export<NP_InitializeFunc>(m_library, "NP_Initialize");
        auto disableSecurity = Export<Flash_DisableLocalSecurityFunc>(m_library, "Flash_DisableLocalSecurity");
        m_shutdown = Export<NP_ShutdownFunc>(m_library, "NP_Shutdown");
        m_ready = getEntryPoints && initialize && disableSecurity && m_shutdown &&
                  GetProcAddress(m_library, "Flash_EnforceLocalSecurity") && getEntryPoints(&m_plugin) == 0 &&
                  initialize(&m_browser.Table()) == 0 && disableSecurity() == 0;
    }

    ~PlayerSession()
    {
        if (m_instance.pdata)
            m_plugin.destroy(&m_instance, nullptr);
        if (m_scriptable)
            m_browser.Table().releaseobject(m_scriptable);
        if (m_dc) {
            DeleteObject(SelectObject(m_dc, m_oldBitmap));
            DeleteDC(m_dc);
        }
        if (m_shutdown)
            m_shutdown();
        if (m_library)
            FreeLibrary(m_library);
        SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", nullptr);
    }

    bool Ready() const { return m_ready; }
    FakeBrowser& Browser() { return m_browser; }

    bool CreateInstance()
    {
        char* argn[] = {const_cast<char*>("name"), const_cast<char*>("allowScriptAccess"), const_cast<char*>("wmode")};
        char* argv[] = {const_cast<char*>("0badf00d"), const_cast<char*>("always"), const_cast<char*>("opaque")};
        m_instance.ndata = this;
        if (m_plugin.newp(const_cast<char*>("application/x-shockwave-flash"), &m_instance, NP_EMBED, 3, argn, argv,
                          nullptr) != 0 ||
            m_plugin.getvalue(&m_instance, NPPVpluginScriptableNPObject, &m_scriptable) != 0 || !m_scriptable)
            return false;
        m_dc = CreateCompatibleDC(nullptr);
        m_oldBitmap = SelectObject(m_dc, CreateCompatibleBitmap(m_dc, 200, 100));
        NPWindow window = {m_dc, 0, 0, 200, 100, {0, 0, 100, 200}, NPWindowTypeDrawable};
        return m_plugin.setwindow(&m_instance, &window) == 0;
    }

    // The movie stream as the host sends it: NP_NORMAL, chunks of at most
    // 30,720 bytes, one more NPP_WriteReady, then NPRES_DONE.
    void SendMovie(const std::string& bytes)
    {
        NPStream stream = {m_instance.pdata, m_instance.ndata, "swf.swf", uint32_t(bytes.size()), 0, nullptr, nullptr};
        uint16_t type = NP_NORMAL;
        ASSERT_EQ(0, m_plugin.newstream(&m_instance, const_cast<char*>("application/x-shockwave-flash"), &stream, 0, &type));
        std::string chunk;
        for (int32_t offset = 0; offset < int32_t(bytes.size());) {
            int32_t length = std::min({m_plugin.writeready(&m_instance, &stream), kChunk, int32_t(bytes.size()) - offset});
            ASSERT_GT(length, 0);
            chunk.assign(bytes, size_t(offset), size_t(length));
            EXPECT_EQ(length, m_plugin.write(&m_instance, &stream, offset, length, &chunk[0]));
            offset += length;
        }
        m_plugin.writeready(&m_instance, &stream);
        EXPECT_EQ(0, m_plugin.destroystream(&m_instance, &stream, NPRES_DONE));
    }

    // Invokes a method of the scriptable object with string or int arguments;
    // returns the string result ("(null)" for a null result, "(failed)").
    std::string Invoke(const char* method, std::vector<NPVariant> args)
    {
        NPVariant result;
        result.type = NPVariantType_Null;
        NPClass* objectClass = m_scriptable->_class;
        NPIdentifier identifier = FakeBrowser::Identifier(method);
        if (!objectClass->hasMethod(m_scriptable, identifier) ||
            !objectClass->invoke(m_scriptable, identifier, args.data(), uint32_t(args.size()), &result))
            return "(failed)";
        std::string text = result.type == NPVariantType_String
                               ? std::string(result.value.stringValue.UTF8Characters, result.value.stringValue.UTF8Length)
                               : "(null)";
        m_browser.Table().releasevariantvalue(&result);
        return text;
    }

    static NPVariant String(const char* text)
    {
        NPVariant variant;
        variant.type = NPVariantType_String;
        variant.value.stringValue.UTF8Characters = text;
        variant.value.stringValue.UTF8Length = uint32_t(strlen(text));
        return variant;
    }

    // Runs the message loop, delivering the events the asynchronous calls
    // asked for, until the transcript holds the text or the time is up.
    bool PumpUntil(const std::string& text, int timeoutMs = 10000)
    {
        return PumpUntil([&] { return Transcript().find(text) != std::string::npos; }, timeoutMs);
    }
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000)
    {
        return WaitUntil(done, timeoutMs, [&] {
            DispatchWindowMessages();
            DeliverPendingEvents();
        });
    }

    void DeliverPendingEvents()
    {
        while (!m_browser.PendingEvents().empty()) {
            std::string request = m_browser.PendingEvents().front();
            m_browser.PendingEvents().pop_front();
            Invoke("CallFunction", {String(request.c_str())});
        }
    }

    void Paint()
    {
        NPEvent paint = {WM_PAINT, 0, 0};
        EXPECT_EQ(1, m_plugin.event(&m_instance, &paint));
    }

    std::string Transcript() const { return ReadFileText(m_transcript); }

private:
    ScratchFolder m_folder;
    std::wstring m_transcript = m_folder / L"transcript.txt";
    FakeBrowser m_browser;
    HMODULE m_library = nullptr;
    NP_ShutdownFunc m_shutdown = nullptr;
    NPPluginFuncs m_plugin = {};
    bool m_ready = false;
    NPP_t m_instance = {};
    NPObject* m_scriptable = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
};

std::string MovieWithScript(const std::string& script, int version = 10)
{
    standin::StandinMovie movie;
    movie.version = version;
    movie.script = script;
    return standin::BuildStandinMovie(movie);
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

TEST(StandinPlayer, PlaysScriptedCallsAndEventsOnTheMainThread)
{
    std::string script =
        "init\n"
        "expect \"0\"\n"
        "caller 7\n"
        "call nxa.Test.echo [1,\"two\",{\"three\":3}]\n"
        "expect [\"nxa.Test.echo\",1,\"two\",{\"three\":3}]\n"
        "async nxa.Test.later [\"x\"]\n"
        "expectraw <string></string>\n"
        "wait onDone 5000\n"
        "expectevent {\"echo\":[\"nxa.Test.later\",\"x\"]}\n"
        "quit\n";
    // Comment lines make the movie span three stream chunks.
    script += "#" + std::string(70000, '-') + "\n";
    std::string movie = MovieWithScript(script, 8);
    ASSERT_GT(movie.size(), size_t(2 * kChunk));

    PlayerSession session;
    ASSERT_TRUE(session.Ready());
    ASSERT_TRUE(session.CreateInstance());
    session.SendMovie(movie);
    ASSERT_TRUE(session.PumpUntil("script end")) << session.Transcript();
    session.Paint();

    std::vector<std::string> lines = SplitLines(session.Transcript());
    for (const std::string& line : lines)
        EXPECT_EQ(0u, line.rfind("main #", 0)) << "not on the main thread: " << line;
    EXPECT_TRUE(HasLine(lines, "main #- NP_Initialize size=" + std::to_string(sizeof(NPNetscapeFuncs)) + " version=27"));
    EXPECT_TRUE(HasLine(lines, "main #1 parameters name=0badf00d;allowScriptAccess=always;wmode=opaque"));
    EXPECT_TRUE(HasLine(lines, "main #1 NPP_Write offset=0 len=30720"));
    EXPECT_TRUE(HasLine(lines, "main #1 NPP_Write offset=30720 len=30720"));
    EXPECT_TRUE(HasLine(lines, "main #1 NPP_Write offset=61440 len=" + std::to_string(movie.size() - 61440)));
    EXPECT_TRUE(HasLine(lines, "main #1 npn GetProperty location -> file://127.0.0.1/index.htm"));
    EXPECT_TRUE(HasLine(lines, "main #1 movie from stream version=8 size=550x400 rate=24 frames=1 bytes=" +
                                   std::to_string(movie.size())));
    EXPECT_TRUE(HasLine(lines, "main #1 call sync [\"nxa.init\"] -> reply \"0\""));
    EXPECT_TRUE(HasLine(lines, "main #1 form id 0"));
    EXPECT_TRUE(HasLine(lines, "main #1 call async [\"nxa.Test.later\",\"x\"] -> empty"));
    EXPECT_TRUE(HasLine(lines, "main #1 event onDone caller=7 payload={\"echo\":[\"nxa.Test.later\",\"x\"]}"));
    EXPECT_TRUE(HasLine(lines, "main #1 script end passed=5 failed=0"));
    EXPECT_EQ(std::string::npos, session.Transcript().find("check fail"));

    // The call texts, exactly as the host's parser expects them.
    const std::vector<std::string>& evaluations = session.Browser().Evaluations();
    ASSERT_EQ(3u, evaluations.size());
    EXPECT_EQ("try { __flash__toXML(TevOnCommand(false,-1,0,\"WyJueGEuaW5pdCJd\")) ; } catch (e) { \"<undefined/>\"; }",
              evaluations[0]);
    EXPECT_EQ(0u, evaluations[1].find("try { __flash__toXML(TevOnCommand(false,0,7,\""));
    EXPECT_EQ(0u, evaluations[2].find("try { __flash__toXML(TevOnCommand(true,0,7,\""));
}

TEST(StandinPlayer, RecordsFailedChecksAndTimeouts)
{
    PlayerSession session;
    ASSERT_TRUE(session.Ready());
    ASSERT_TRUE(session.CreateInstance());
    session.SendMovie(MovieWithScript("init\nexpect \"1\"\nwait neverSent 50\nbogus step\nquit\n"));
    ASSERT_TRUE(session.PumpUntil("script end")) << session.Transcript();
    std::vector<std::string> lines = SplitLines(session.Transcript());
    EXPECT_TRUE(HasLine(lines, "main #1 check fail expect \"1\" got \"0\""));
    EXPECT_TRUE(HasLine(lines, "main #1 check fail wait neverSent: timed out"));
    EXPECT_TRUE(HasLine(lines, "main #1 check fail line 4: unknown step bogus"));
    EXPECT_TRUE(HasLine(lines, "main #1 script end passed=0 failed=3"));
}

TEST(StandinPlayer, AnswersHostScriptingCallsAndMarksTheirThread)
{
    PlayerSession session;
    ASSERT_TRUE(session.Ready());
    ASSERT_TRUE(session.CreateInstance());
    session.SendMovie(MovieWithScript("var greeting hello\ncallback showText <string>shown</string>\n"
                                      "wait answerSet 30000\nexpectvar answer 42\nquit\n"));
    ASSERT_TRUE(session.PumpUntil("script start"));
    // The first steps have run once the movie knows its variable.
    ASSERT_TRUE(session.PumpUntil(
        [&] { return session.Invoke("GetVariable", {PlayerSession::String("greeting")}) == "hello"; }));

    EXPECT_EQ("(null)", session.Invoke("SetVariable", {PlayerSession::String("answer"), PlayerSession::String("42")}));
    std::string fromOtherThread;
    std::thread worker([&] { fromOtherThread = session.Invoke("GetVariable", {PlayerSession::String("greeting")}); });
    worker.join();
    EXPECT_EQ("hello", fromOtherThread);
    EXPECT_EQ("(null)", session.Invoke("GetVariable", {PlayerSession::String("unknown")}));
    EXPECT_EQ("<string>shown</string>",
              session.Invoke("CallFunction", {PlayerSession::String(
                                                 "<invoke name=\"showText\" returntype=\"xml\"><arguments><string>a</string>"
                                                 "</arguments></invoke>")}));
    EXPECT_EQ("(failed)", session.Invoke("CallFunction", {PlayerSession::String(
                                                              "<invoke name=\"missing\" returntype=\"xml\"><arguments>"
                                                              "</arguments></invoke>")}));
    NPVariant frame;
    frame.type = NPVariantType_Int32;
    frame.value.intValue = 5;
    EXPECT_EQ("(null)", session.Invoke("GotoFrame", {frame}));
    EXPECT_EQ("(null)", session.Invoke("TGotoLabel", {PlayerSession::String("/"), PlayerSession::String("intro")}));
    EXPECT_EQ("(null)", session.Invoke("LoadMovie", {frame, PlayerSession::String("other.swf")}));
    // The movie checks the variable once this event tells it the variable is set.
    session.Invoke("CallFunction", {PlayerSession::String("<invoke name=\"TevOnAsyncEvent\" returntype=\"xml\"><arguments>"
                                                          "<string>answerSet</string><string>0</string>"
                                                          "<string>e30=</string></arguments></invoke>")});
    ASSERT_TRUE(session.PumpUntil("script end")) << session.Transcript();

    std::vector<std::string> lines = SplitLines(session.Transcript());
    EXPECT_TRUE(HasLine(lines, "other #1 invoke GetVariable greeting"));
    EXPECT_TRUE(HasLine(lines, "main #1 invoke TGotoLabel /|intro"));
    EXPECT_TRUE(HasLine(lines, "main #1 check pass expectvar answer 42 got 42"));
    EXPECT_EQ(std::vector<std::string>{"other.swf"}, session.Browser().RequestedUrls());
}

TEST(StandinPlayer, RejectsAStreamThatIsNoMovie)
{
    PlayerSession session;
    ASSERT_TRUE(session.Ready());
    ASSERT_TRUE(session.CreateInstance());
    session.SendMovie("GIF89a not a movie");
    EXPECT_NE(std::string::npos, session.Transcript().find("main #1 movie rejected from stream: no movie signature"));
    EXPECT_EQ(std::string::npos, session.Transcript().find("script start"));
}

static std::string BinResource(int id)
{
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"BIN");
    if (!resource)
        return std::string();
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    return std::string(bytes, SizeofResource(nullptr, resource));
}

TEST(StandinPlayer, IsEmbeddedAsResourceBin101)
{
    std::string embedded = BinResource(101);
    ASSERT_FALSE(embedded.empty());
    EXPECT_EQ(ReadFileText(BuildTreePath(KOVA_EMBEDDED_PLAYER_DLL)), embedded);
}

#ifdef KOVA_LOADER_SCRIPT
// The loader for old movies: a compressed version-8 movie whose script asks
// for the real movie's path and loads it.
TEST(StandinPlayer, LoaderMovieIsEmbeddedAsResourceBin103)
{
    standin::StandinMovie loader;
    std::string error;
    std::string embedded = BinResource(103);
    ASSERT_TRUE(standin::ReadStandinMovie(embedded, loader, error)) << error;
    EXPECT_EQ("CWS", embedded.substr(0, 3));
    EXPECT_EQ(8, loader.version);
    EXPECT_EQ(ReadFileText(BuildTreePath(KOVA_LOADER_SCRIPT)), loader.script);
}
#endif
