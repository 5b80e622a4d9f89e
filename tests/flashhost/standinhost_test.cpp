// The host with the stand-in player carried as resource "BIN" 101: load,
// one instance on a frame, a movie in chunks, a scripted call through
// NPN_Evaluate to a command row and back, asynchronous events into the movie,
// a host call from the worker thread, and unload.

#include "commandargs.h"
#include "commandcentre.h"
#include "flashhost.h"
#include "flashwindowclass.h"
#include "flashwnd.h"
#include "messagepumping.h"
#include "moduledescriptor.h"
#include "movieform.h"
#include "pluginallocations.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "standinmovie.h"
#include "textfile.h"

#include <gtest/gtest.h>

#include <json-c/json.h>

#include <wx/frame.h>
#include <wx/thread.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <sstream>

namespace {

FlashInstance* g_peekInstance = nullptr;
std::atomic<int> g_peeksOffMain{0};

json_object* __cdecl Echo(CallInfo*, int32_t argc, json_object** argv)
{
    json_object* array = json_object_new_array();
    for (int32_t index = 0; index < argc; ++index)
        json_object_array_add(array, json_object_get(argv[index]));
    return array;
}

json_object* __cdecl Later(CallInfo* call, int32_t argc, json_object** argv)
{
    json_object* payload = json_object_new_object();
    json_object_object_add(payload, "echo", Echo(call, argc, argv));
    PostAsyncEvent(json_object_to_json_string(payload), "onDone", &CommandCentre::Get(), call->formId,
                   call->callerId);
    json_object_put(payload);
    return nullptr;
}

// Runs on the worker and reads a movie variable through the form's instance.
json_object* __cdecl Peek(CallInfo* call, int32_t, json_object**)
{
    if (!wxThread::IsMain())
        ++g_peeksOffMain;
    wxString value = "<none>";
    if (g_peekInstance)
        g_peekInstance->GetVariable("who", value);
    json_object* payload = json_object_new_object();
    json_object_object_add(payload, "value", MakeText(value));
    PostAsyncEvent(json_object_to_json_string(payload), "onPeek", &CommandCentre::Get(), call->formId,
                   call->callerId);
    json_object_put(payload);
    return nullptr;
}

ModuleDescriptor& TestModule();

bool InitialiseTestModule()
{
    AppendCommandRow(TestModule(), "nxa.Test.echo", Echo);
    AppendCommandRow(TestModule(), "nxa.Test.later", Later);
    AppendCommandRow(TestModule(), "nxa.Test.peek", Peek);
    return true;
}

void ShutdownTestModule()
{
    ReleaseCommandRows(TestModule());
}

ModuleDescriptor& TestModule()
{
    static ModuleDescriptor module = MakeModuleDescriptor(InitialiseTestModule, ShutdownTestModule);
    return module;
}

// A form: a frame with the plug-in instance drawn into it.
class PlayerForm : public MovieForm {
public:
    explicit PlayerForm(int32_t formId)
        : m_formId(formId),
          m_frame(new wxFrame(nullptr, formId, "player", wxDefaultPosition, wxSize(400, 300))),
          m_instance(FlashHost::Get().PluginFuncs(), m_frame->GetHWND())
    {
        m_instance.m_formId = formId;
        CommandCentre::Get().AddForm(formId, this);
    }
    ~PlayerForm() override
    {
        CommandCentre::Get().RemoveForm(m_formId);
        m_instance.Destroy();
        m_frame->Destroy();
    }

    int32_t GetFormId() const override { return m_formId; }
    wxString GetName() const override { return "main"; }
    bool PlaysDirectly() const override { return true; }
    wxString GetSwfName() const override { return wxString(); }
    void CallFunction(const wxString& invokeRequest) override
    {
        wxString reply;
        m_instance.CallFunction(invokeRequest, reply);
    }

    FlashWnd& Instance() { return m_instance; }
    HWND Window() const { return m_frame->GetHWND(); }

private:
    int32_t m_formId;
    wxFrame* m_frame;
    FlashWnd m_instance;
};

bool HasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Pumps (the player's frame timer, asynchronous calls, events, work for the
// main thread) until the transcript holds the text.
bool PumpUntil(const std::wstring& transcript, const std::string& text, int timeoutMs = 10000)
{
    return PumpMessagesUntil([&] { return ReadFileText(transcript).find(text) != std::string::npos; }, timeoutMs);
}

class TranscriptVariable {
public:
    explicit TranscriptVariable(const std::wstring& path)
    {
        SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", path.c_str());
    }
    ~TranscriptVariable() { SetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", nullptr); }
};

} // namespace

TEST(StandinHost, PlaysAScriptedMovieThroughTheHost)
{
    ScratchFolder folder;
    const std::wstring transcript = folder / L"transcript.txt";
    TranscriptVariable variable(transcript);
    ASSERT_TRUE(FlashHost::Get().Load());
    ASSERT_NE(nullptr, FlashHost::Get().PluginFuncs().newp);
    {
        ScopedCommandCentre centre({&TestModule()});
        ASSERT_TRUE(centre.Initialised());
        PlayerForm form(0);
        g_peekInstance = &form.Instance();
        InstanceParams params;
        params.play = true;
        params.quality = 16;
        ASSERT_TRUE(form.Instance().New(params, form.Window()));

        standin::StandinMovie movie;
        movie.script = "var who standin\n"
                       "init\n"
                       "expect \"0\"\n"
                       "caller 7\n"
                       "call nxa.Test.echo [1,\"two\"]\n"
                       "expect [1,\"two\"]\n"
                       "async nxa.Test.later [\"x\"]\n"
                       "expectraw <string></string>\n"
                       "wait onDone 5000\n"
                       "expectevent {\"echo\":[\"x\"]}\n"
                       "async nxa.Test.peek\n"
                       "wait onPeek 5000\n"
                       "expectevent {\"value\":\"standin\"}\n"
                       "quit\n";
        movie.script += "#" + std::string(40000, '-') + "\n"; // two chunks
        const std::string bytes = standin::BuildStandinMovie(movie);
        ASSERT_GT(bytes.size(), size_t(30720));
        ASSERT_TRUE(form.Instance().LoadSwfFromRam(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                   int32_t(bytes.size())));
        ASSERT_TRUE(PumpUntil(transcript, "script end")) << ReadFileText(transcript);

        HDC dc = GetDC(form.Window());
        form.Instance().Paint(dc);
        ReleaseDC(form.Window(), dc);
        g_peekInstance = nullptr;
        EXPECT_TRUE(form.Instance().Destroy());

        const std::vector<std::string> lines = SplitLines(ReadFileText(transcript));
        EXPECT_TRUE(HasLine(lines, "main #- NP_Initialize size=" + std::to_string(sizeof(NPNetscapeFuncs)) +
                                       " version=27"));
        EXPECT_TRUE(HasLine(lines, "main #- Flash_DisableLocalSecurity"));
        EXPECT_TRUE(HasLine(lines, "main #1 npn GetValue NPNVnetscapeWindow -> 0 window set"));
        EXPECT_TRUE(HasLine(lines, "main #1 npn GetValue NPNVSupportsWindowless -> 0 value=1"));
        EXPECT_TRUE(HasLine(lines, "main #1 npn GetProperty location -> file://127.0.0.1/index.htm"));
        EXPECT_TRUE(HasLine(lines, "main #1 NPP_Write offset=0 len=30720"));
        EXPECT_TRUE(HasLine(lines, "main #1 NPP_Write offset=30720 len=" + std::to_string(bytes.size() - 30720)));
        EXPECT_TRUE(HasLine(lines, "main #1 call sync [\"nxa.init\"] -> reply \"0\""));
        EXPECT_TRUE(HasLine(lines, "main #1 invoke GetVariable who"));
        EXPECT_TRUE(HasLine(lines, "main #1 script end passed=7 failed=0")) << ReadFileText(transcript);
        EXPECT_TRUE(HasLine(lines, "main #1 NPP_Destroy"));
        EXPECT_EQ(1, g_peeksOffMain.load());
        for (const std::string& line : lines)
            EXPECT_EQ(0u, line.rfind("main #", 0)) << "not on the main thread: " << line;
        EXPECT_EQ(std::string::npos, ReadFileText(transcript).find("check fail"));
    }
    FlashHost::Get().Unload();
    EXPECT_EQ(0u, PluginAllocations::Count());
    EXPECT_NE(std::string::npos, ReadFileText(transcript).find("main #- NP_Shutdown instances=0"));
    EXPECT_EQ(nullptr, FlashHost::Get().PluginFuncs().newp);
    FlashHost::Get().Unload(); // a second unload changes nothing
}

TEST(StandinHost, FlashWindowClassHostsAnInstancePerWindow)
{
    ScratchFolder folder;
    const std::wstring transcript = folder / L"transcript.txt";
    TranscriptVariable variable(transcript);
    static const bool registered = RegisterFlashWindowClass();
    ASSERT_TRUE(registered);
    InstanceParams params;
    params.wmode = 1;

    ASSERT_TRUE(FlashHost::Get().Load());
    HWND window = CreateWindowExW(0, L"TEVFlashWindowClass", L"hosted", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), &params);
    ASSERT_NE(nullptr, window);
    UpdateWindow(window);
    DestroyWindow(window);
    const std::vector<std::string> lines = SplitLines(ReadFileText(transcript));
    EXPECT_TRUE(HasLine(lines, "main #1 npn GetValue NPNVnetscapeWindow -> 0 window set"));
    EXPECT_TRUE(HasLine(lines, "main #1 NPP_Destroy")) << ReadFileText(transcript);
    FlashHost::Get().Unload();

    // Without a loaded plug-in the window cannot be made.
    EXPECT_EQ(nullptr, CreateWindowExW(0, L"TEVFlashWindowClass", L"hosted", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), &params));
    EXPECT_EQ(nullptr, CreateWindowExW(0, L"TEVFlashWindowClass", L"hosted", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

TEST(StandinHost, ImageWithoutThePluginExportsIsRefused)
{
    const uint8_t notAnImage[] = {'M', 'Z', 0, 0};
    EXPECT_FALSE(FlashHost::Get().LoadFromMemory(notAnImage, sizeof notAnImage));
    FlashHost::Get().Unload();
    EXPECT_EQ(nullptr, FlashHost::Get().PluginFuncs().newp);
}
