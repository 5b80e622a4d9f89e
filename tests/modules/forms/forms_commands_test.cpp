// The Forms rows through the call road, by both roads, on forms of the
// stand-in player: what they do to the window, read back with Win32, and what
// reaches the movie, read back from the player's transcript.

#include "appstate.h"
#include "commandcalls.h"
#include "commandcentre.h"
#include "eventcapture.h"
#include "formsroad.h"
#include "kovaformmsw.h"
#include "mainthread.h"
#include "messagepumping.h"
#include "nxaforms.h"
#include "pinnedtable.h"
#include "windowmessages.h"

#include <gtest/gtest.h>

#include <wx/app.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using Road = FormsRoad::Road;

const std::vector<PinnedRow> kRows = {
    {"nxa.Forms.create", kAnyArgCount, "-1"},
    {"nxa.Forms.addMask", 4, "0"},
    {"nxa.Forms.callFunction", 4, "0"},
    {"nxa.Forms.callFunction2", 2, "\"\""},
    {"nxa.Forms.close", 1, "0"},
    {"nxa.Forms.constraints", 5, "0"},
    {"nxa.Forms.dndDisable", 1, "0"},
    {"nxa.Forms.dndEnable", 1, "0"},
    {"nxa.Forms.goToFrame", 2, "0"},
    {"nxa.Forms.goToLabel", 2, "0"},
    {"nxa.Forms.hide", 1, "0"},
    {"nxa.Forms.hideCaption", 2, "0"},
    {"nxa.Forms.hideMask", 1, "0"},
    {"nxa.Forms.hideStatusBar", 1, "0"},
    {"nxa.Forms.maximize", 1, "0"},
    {"nxa.Forms.minimize", 1, "0"},
    {"nxa.Forms.restore", 1, "0"},
    {"nxa.Forms.setFocus", 1, "0"},
    {"nxa.Forms.setStatusBarText", 2, "0"},
    {"nxa.Forms.shake", 2, "0"},
    {"nxa.Forms.show", 1, "0"},
    {"nxa.Forms.showFullScreen", 2, "0"},
    {"nxa.Forms.showInScreen", 2, "0"},
    {"nxa.Forms.showMask", 2, "0"},
    {"nxa.Forms.showModal", kAnyArgCount, "0"},
    {"nxa.Forms.showStatusBar", 1, "0"},
    {"nxa.Forms.startDrag", 1, "0"},
    {"nxa.Forms.stopDrag", 1, "0"},
    {"nxa.Forms.get_alpha", 1, "0"},
    {"nxa.Forms.set_alpha", 2, "0"},
    {"nxa.Forms.get_height", 1, "0"},
    {"nxa.Forms.set_height", 2, "0"},
    {"nxa.Forms.get_isCreated", kAnyArgCount, "true"},
    {"nxa.Forms.get_name", 1, "\"\""},
    {"nxa.Forms.set_showMaxBtn", 2, "0"},
    {"nxa.Forms.set_showMinBtn", 2, "0"},
    {"nxa.Forms.set_showSysBtn", 2, "0"},
    {"nxa.Forms.get_title", 1, "\"\""},
    {"nxa.Forms.set_title", 2, "0"},
    {"nxa.Forms.get_visible", 1, "false"},
    {"nxa.Forms.set_visible", 2, "0"},
    {"nxa.Forms.get_width", 1, "0"},
    {"nxa.Forms.set_width", 2, "0"},
    {"nxa.Forms.get_windowState", 1, "\"\""},
    {"nxa.Forms.get_x", 1, "0"},
    {"nxa.Forms.set_x", 2, "0"},
    {"nxa.Forms.get_y", 1, "0"},
    {"nxa.Forms.set_y", 2, "0"},
};

std::string Forms(const std::string& command)
{
    return "nxa.Forms." + command;
}

HWND Handle(KovaForm* form)
{
    return static_cast<HWND>(form->GetHWND());
}

LONG StyleOf(KovaForm* form, int which = GWL_STYLE)
{
    return GetWindowLongW(Handle(form), which);
}

RECT WindowRect(KovaForm* form)
{
    RECT rect = {};
    GetWindowRect(Handle(form), &rect);
    return rect;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT PrimaryMonitor()
{
    POINT origin = {0, 0};
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcMonitor;
}

FormSettings NamedSettings(const wchar_t* name)
{
    FormSettings settings = PlainFormSettings();
    settings.name = name;
    settings.title = name;
    return settings;
}

// A shown form whose caption has every button and a resizing border.
FormSettings FullCaptionSettings(const wchar_t* name)
{
    FormSettings settings = NamedSettings(name);
    settings.visible = true;
    settings.frameKind = 1;
    settings.maximizeBox = settings.minimizeBox = settings.closeBox = true;
    return settings;
}

class FormsCommands : public testing::Test {
protected:
    void SetUp() override
    {
        AllowMainThreadWork(); // an earlier command centre's shut-down may have refused it
        ASSERT_TRUE(m_road.Ready());
    }
    void TearDown() override
    {
        GetAppState().SetExitHandlerEnabled(false);
        GetAppState().SetMinimizeToTray(false);
        for (KovaForm* form : m_forms) {
            if (!wxTheApp->IsScheduledForDestruction(form))
                delete form;
        }
        wxTheApp->ProcessIdle();
    }

    KovaFormMSW* Make(const FormSettings& settings, int32_t formId = 0)
    {
        KovaFormMSW* form = m_road.Fixture().MakeForm(settings, PackageSettings(), ByteVector(), formId);
        m_forms.push_back(form);
        return form;
    }

    FormsRoad m_road;
    std::vector<KovaForm*> m_forms;
};

TEST_F(FormsCommands, RegistersItsRowsInOrder)
{
    ExpectPinnedTable(nxaForms::Frame::Descriptor(), kRows);
}

TEST_F(FormsCommands, NamesMatchExactlyAndUnknownNamesAnswerTheDefault)
{
    KovaFormMSW* form = Make(NamedSettings(L"Main"));
    form->SetSize(10, 20, 300, 200);
    EXPECT_EQ("\"Main\"", CallCommandSync(Forms("get_name"), "\"Main\""));
    EXPECT_EQ("300", CallCommandSync(Forms("get_width"), "\"Main\""));
    const std::vector<std::pair<std::string, std::string>> getters = {
        {"get_name", "\"\""},     {"get_title", "\"\""}, {"get_windowState", "\"\""}, {"get_visible", "false"},
        {"get_width", "0"},       {"get_height", "0"},   {"get_x", "0"},              {"get_y", "0"},
        {"get_alpha", "0"},
    };
    for (const char* name : {"\"main\"", "\"MAIN\"", "\"nobody\"", "\"\"", "null", "3"}) {
        SCOPED_TRACE(name);
        for (const auto& getter : getters)
            EXPECT_EQ(getter.second, CallCommandSync(Forms(getter.first), name)) << getter.first;
        EXPECT_EQ("\"\"", CallCommandSync(Forms("callFunction2"), std::string(name) + ", \"<invoke/>\""));
        EXPECT_EQ("0", CallCommandSync(Forms("set_width"), std::string(name) + ", 500"));
        EXPECT_EQ("0", CallCommandSync(Forms("set_title"), std::string(name) + ", \"changed\""));
    }
    EXPECT_EQ(wxRect(10, 20, 300, 200), form->GetRect());
    EXPECT_EQ(wxString("Main"), form->GetTitle());
    // The rows that need no form.
    EXPECT_EQ("-1", CallCommandSync(Forms("create")));
    EXPECT_EQ("-1", CallCommandSync(Forms("create"), "\"Main\", 1"));
    EXPECT_EQ("0", CallCommandSync(Forms("showModal"), "\"Main\""));
    EXPECT_EQ("true", CallCommandSync(Forms("get_isCreated"), "\"nobody\""));
    EXPECT_EQ("true", CallCommandSync(Forms("get_isCreated")));
}

TEST_F(FormsCommands, TwoFormsOfOneNameMeanTheLowerId)
{
    KovaFormMSW* higher = Make(NamedSettings(L"twin"), 3);
    KovaFormMSW* lower = Make(NamedSettings(L"twin"), 2);
    for (Road road : kBothRoads) {
        SCOPED_TRACE(RoadName(road));
        const std::string title = std::string("by ") + RoadName(road);
        FormsRoad::Call(road, Forms("set_title"), "\"twin\", \"" + title + "\"");
        EXPECT_TRUE(PumpMessagesUntil([&] { return lower->GetTitle() == title; }));
        EXPECT_EQ(wxString("twin"), higher->GetTitle());
    }
    EXPECT_EQ("\"by asynchronous\"", CallCommandSync(Forms("get_title"), "\"twin\""));
}

TEST_F(FormsCommands, PositionAndSizeBothRoads)
{
    KovaFormMSW* form = Make(NamedSettings(L"geo"));
    form->SetSize(50, 60, 300, 200);
    int step = 0;
    for (Road road : kBothRoads) {
        SCOPED_TRACE(RoadName(road));
        ++step;
        const wxRect wanted(40 + step, 50 + step, 310 + step, 210 + step);
        FormsRoad::Call(road, Forms("set_x"), "\"geo\", " + std::to_string(wanted.x));
        FormsRoad::Call(road, Forms("set_y"), "\"geo\", \"" + std::to_string(wanted.y) + "\"");
        FormsRoad::Call(road, Forms("set_width"), "\"geo\", " + std::to_string(wanted.width) + ".9");
        FormsRoad::Call(road, Forms("set_height"), "\"geo\", " + std::to_string(wanted.height));
        EXPECT_TRUE(PumpMessagesUntil([&] { return form->GetRect() == wanted; }));
        EXPECT_EQ(wanted, form->GetRect());
        EXPECT_EQ(std::to_string(wanted.x), CallCommandSync(Forms("get_x"), "\"geo\""));
        EXPECT_EQ(std::to_string(wanted.y), CallCommandSync(Forms("get_y"), "\"geo\""));
        EXPECT_EQ(std::to_string(wanted.width), CallCommandSync(Forms("get_width"), "\"geo\""));
        EXPECT_EQ(std::to_string(wanted.height), CallCommandSync(Forms("get_height"), "\"geo\""));
    }
}

TEST_F(FormsCommands, ConstraintsTakeTheMaximumFirstAndHoldTheSize)
{
    FormSettings settings = NamedSettings(L"limited");
    settings.frameKind = 1;
    KovaFormMSW* form = Make(settings);
    EXPECT_EQ("0", CallCommandSync(Forms("constraints"), "\"limited\", 800, 600, 200, 100"));
    const std::vector<std::pair<int, int>> widths = {{1000, 800}, {100, 200}, {500, 500}};
    for (const auto& width : widths) {
        CallCommandSync(Forms("set_width"), "\"limited\", " + std::to_string(width.first));
        const RECT rect = WindowRect(form);
        EXPECT_EQ(width.second, rect.right - rect.left) << "asked for " << width.first;
    }
    CallCommandSync(Forms("set_height"), "\"limited\", 900");
    RECT rect = WindowRect(form);
    EXPECT_EQ(600, rect.bottom - rect.top);
    CallCommandSync(Forms("set_height"), "\"limited\", 50");
    rect = WindowRect(form);
    EXPECT_EQ(100, rect.bottom - rect.top);
}

TEST_F(FormsCommands, AlphaIsSetOnFadingWindowsOnly)
{
    FormSettings fading = NamedSettings(L"fading");
    fading.windowType = 1;
    fading.fadeTarget = 1; // the fade stops after its first step
    fading.fadeInterval = 1;
    KovaFormMSW* fadingForm = Make(fading, 0);
    FormSettings layered = NamedSettings(L"layered");
    layered.windowType = 3;
    KovaFormMSW* layeredForm = Make(layered, 1);
    ASSERT_TRUE(PumpMessagesUntil([&] { return fadingForm->GetAlpha() == 1; }));

    BYTE alpha = 0;
    DWORD flags = 0;
    CallCommandSync(Forms("set_alpha"), "\"fading\", 384"); // 0x180
    ASSERT_TRUE(GetLayeredWindowAttributes(Handle(fadingForm), nullptr, &alpha, &flags));
    EXPECT_EQ(0x80, alpha);
    EXPECT_EQ("128", CallCommandSync(Forms("get_alpha"), "\"fading\""));
    FormsRoad::Call(Road::kAsync, Forms("set_alpha"), "\"fading\", 511"); // 0x1FF
    EXPECT_TRUE(PumpMessagesUntil([&] { return fadingForm->GetAlpha() == 255; }));
    EXPECT_EQ("255", CallCommandSync(Forms("get_alpha"), "\"fading\""));

    const LONG exStyle = StyleOf(layeredForm, GWL_EXSTYLE);
    BYTE layeredAlpha = 0;
    DWORD layeredFlags = 0;
    const BOOL readBefore = GetLayeredWindowAttributes(Handle(layeredForm), nullptr, &layeredAlpha, &layeredFlags);
    CallCommandSync(Forms("set_alpha"), "\"layered\", 5");
    BYTE after = 0;
    DWORD afterFlags = 0;
    EXPECT_EQ(readBefore, GetLayeredWindowAttributes(Handle(layeredForm), nullptr, &after, &afterFlags));
    if (readBefore) {
        EXPECT_EQ(layeredAlpha, after);
        EXPECT_EQ(layeredFlags, afterFlags);
    }
    EXPECT_EQ(exStyle, StyleOf(layeredForm, GWL_EXSTYLE));
    EXPECT_EQ("255", CallCommandSync(Forms("get_alpha"), "\"layered\""));
}

TEST_F(FormsCommands, MinimizeToTrayHidesOnlyFormZeroAndShowBringsItBack)
{
    KovaFormMSW* main = Make(FullCaptionSettings(L"main"), 0);
    KovaFormMSW* other = Make(FullCaptionSettings(L"other"), 1);
    GetAppState().SetMinimizeToTray(true);
    CallCommandSync(Forms("minimize"), "\"main\"");
    CallCommandSync(Forms("minimize"), "\"other\"");
    EXPECT_TRUE(PumpMessagesUntil([&] { return IsIconic(Handle(main)) && IsIconic(Handle(other)); }));
    EXPECT_FALSE(IsWindowVisible(Handle(main)));
    EXPECT_TRUE(IsWindowVisible(Handle(other)));
    EXPECT_EQ("false", CallCommandSync(Forms("get_visible"), "\"main\""));
    EXPECT_EQ("\"min\"", CallCommandSync(Forms("get_windowState"), "\"main\""));
    FormsRoad::Call(Road::kAsync, Forms("show"), "\"main\"");
    EXPECT_TRUE(PumpMessagesUntil([&] { return IsWindowVisible(Handle(main)) != FALSE; }));
    EXPECT_EQ("true", CallCommandSync(Forms("get_visible"), "\"main\""));
}

TEST_F(FormsCommands, RestoreLeavesMinimizedAndMaximizedForNormal)
{
    KovaFormMSW* form = Make(FullCaptionSettings(L"stateful"));
    auto state = [] { return CallCommandSync(Forms("get_windowState"), "\"stateful\""); };
    EXPECT_EQ("\"nor\"", state());
    for (Road road : kBothRoads) {
        SCOPED_TRACE(RoadName(road));
        FormsRoad::Call(road, Forms("maximize"), "\"stateful\"");
        EXPECT_TRUE(PumpMessagesUntil([&] { return IsZoomed(Handle(form)) != FALSE; }));
        EXPECT_EQ("\"max\"", state());
        FormsRoad::Call(road, Forms("restore"), "\"stateful\"");
        EXPECT_TRUE(PumpMessagesUntil([&] { return !IsZoomed(Handle(form)) && !IsIconic(Handle(form)); }));
        EXPECT_EQ("\"nor\"", state());
        FormsRoad::Call(road, Forms("minimize"), "\"stateful\"");
        EXPECT_TRUE(PumpMessagesUntil([&] { return IsIconic(Handle(form)) != FALSE; }));
        EXPECT_EQ("\"min\"", state());
        FormsRoad::Call(road, Forms("restore"), "\"stateful\"");
        EXPECT_TRUE(PumpMessagesUntil([&] { return !IsZoomed(Handle(form)) && !IsIconic(Handle(form)); }));
        EXPECT_EQ("\"nor\"", state());
    }
}

TEST_F(FormsCommands, CloseWithTheExitHandlerBecomesAnEventAndTheFormsLive)
{
    ASSERT_NE("-1", CallCommandSync("nxa.Application.create", "", 0, 10));
    ASSERT_NE("-1", CallCommandSync("nxa.Application.create", "", 1, 11));
    KovaFormMSW* main = Make(NamedSettings(L"main"), 0);
    KovaFormMSW* other = Make(NamedSettings(L"other"), 1);
    EventCapture capture;
    GetAppState().SetExitHandlerEnabled(true);
    auto seen = [&](int32_t formId, int32_t callerId, const wxString& name) {
        for (const AsyncEventData& event : capture.Events()) {
            if (event.formId == formId && event.callerId == callerId && event.eventName == name)
                return true;
        }
        return false;
    };
    CallCommandSync(Forms("close"), "\"other\"");
    FormsRoad::Call(Road::kAsync, Forms("close"), "\"main\"");
    EXPECT_TRUE(PumpMessagesUntil([&] { return seen(1, 11, "onFormClose") && seen(0, 10, "onAppExit"); }));
    EXPECT_FALSE(seen(0, 10, "onFormClose"));
    EXPECT_FALSE(seen(1, 11, "onAppExit"));
    for (KovaFormMSW* form : {main, other}) {
        EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(form));
        EXPECT_EQ(form, CommandCentre::Get().FindForm(form->GetId()));
    }
}

TEST_F(FormsCommands, CaptionButtonsAndDroppedFilesSwitchTheirStyleBits)
{
    KovaFormMSW* form = Make(FullCaptionSettings(L"styled"));
    auto closeGreyed = [&] {
        return (GetMenuState(GetSystemMenu(Handle(form), FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    ASSERT_EQ(WS_CAPTION, StyleOf(form) & WS_CAPTION);
    ASSERT_FALSE(closeGreyed());
    CallCommandSync(Forms("hideCaption"), "\"styled\", true");
    CallCommandSync(Forms("set_showMaxBtn"), "\"styled\", false");
    CallCommandSync(Forms("set_showMinBtn"), "\"styled\", 0");
    CallCommandSync(Forms("set_showSysBtn"), "\"styled\", \"\"");
    CallCommandSync(Forms("dndEnable"), "\"styled\"");
    EXPECT_NE(WS_CAPTION, StyleOf(form) & WS_CAPTION);
    EXPECT_EQ(0, StyleOf(form) & WS_MAXIMIZEBOX);
    EXPECT_EQ(0, StyleOf(form) & WS_MINIMIZEBOX);
    EXPECT_TRUE(closeGreyed());
    EXPECT_NE(0, StyleOf(form, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    for (const char* call : {"hideCaption\", false", "set_showMaxBtn\", 1", "set_showMinBtn\", \"yes\"",
                             "set_showSysBtn\", true"}) {
        const std::string text(call);
        const size_t split = text.find('"');
        FormsRoad::Call(Road::kAsync, Forms(text.substr(0, split)), "\"styled" + text.substr(split));
    }
    FormsRoad::Call(Road::kAsync, Forms("dndDisable"), "\"styled\"");
    EXPECT_TRUE(PumpMessagesUntil([&] { return (StyleOf(form, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) == 0; }));
    EXPECT_EQ(WS_CAPTION, StyleOf(form) & WS_CAPTION);
    EXPECT_EQ(WS_MAXIMIZEBOX | WS_MINIMIZEBOX, StyleOf(form) & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
    EXPECT_FALSE(closeGreyed());
}

TEST_F(FormsCommands, StatusBarIsShownWithItsTextThenHidden)
{
    KovaFormMSW* form = Make(NamedSettings(L"status"));
    CallCommandSync(Forms("setStatusBarText"), "\"status\", \"early\"");
    EXPECT_EQ(nullptr, FindWindowExW(Handle(form), nullptr, STATUSCLASSNAMEW, nullptr)) << "made by the text";
    CallCommandSync(Forms("showStatusBar"), "\"status\"");
    HWND bar = FindWindowExW(Handle(form), nullptr, STATUSCLASSNAMEW, nullptr);
    ASSERT_NE(nullptr, bar);
    EXPECT_NE(0, GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE);
    FormsRoad::Call(Road::kAsync, Forms("setStatusBarText"), "\"status\", \"x\"");
    wchar_t text[16] = {};
    EXPECT_TRUE(PumpMessagesUntil([&] {
        SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return std::wstring(text) == L"x";
    }));
    CallCommandSync(Forms("hideStatusBar"), "\"status\"");
    EXPECT_EQ(0, GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(FormsCommands, MonitorsFullScreenAndShakeLeaveTheWindowWhereTheySay)
{
    KovaFormMSW* form = Make(NamedSettings(L"placed"));
    form->SetSize(33, 44, 300, 200);
    const RECT monitor = PrimaryMonitor();
    CallCommandSync(Forms("showInScreen"), "\"placed\", 0");
    EXPECT_EQ(wxPoint(monitor.left + 100, monitor.top + 100), form->GetPosition());
    form->Move(33, 44);
    const int monitors = GetSystemMetrics(SM_CMONITORS);
    CallCommandSync(Forms("showInScreen"), "\"placed\", " + std::to_string(monitors)); // 1 on one monitor
    CallCommandSync(Forms("showInScreen"), "\"placed\", -1");
    EXPECT_EQ(wxPoint(33, 44), form->GetPosition());

    const RECT before = WindowRect(form);
    CallCommandSync(Forms("showFullScreen"), "\"placed\", true");
    EXPECT_TRUE(SameRect(monitor, WindowRect(form)));
    FormsRoad::Call(Road::kAsync, Forms("showFullScreen"), "\"placed\", false");
    EXPECT_TRUE(PumpMessagesUntil([&] { return SameRect(before, WindowRect(form)); }));

    for (Road road : kBothRoads) {
        SCOPED_TRACE(RoadName(road));
        // By the asynchronous road the title follows the shake through the queue.
        FormsRoad::Call(road, Forms("shake"), "\"placed\", 3");
        FormsRoad::Call(road, Forms("set_title"), "\"placed\", \"shaken\"");
        EXPECT_TRUE(PumpMessagesUntil([&] { return form->GetTitle() == "shaken"; }));
        EXPECT_TRUE(SameRect(before, WindowRect(form)));
        form->SetTitle("placed");
    }
}

TEST_F(FormsCommands, DragFollowsTheLeftButtonUntilStopped)
{
    KovaFormMSW* form = Make(NamedSettings(L"dragged"), 2);
    form->Move(100, 100);
    const HWND window = Handle(form);
    CallCommandSync(Forms("startDrag"), "\"dragged\"");
    EXPECT_EQ(window, GetCapture());
    const POINT dragged = DragTopLevelWindow(window, WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(wxPoint(dragged.x, dragged.y), form->GetPosition());

    FormsRoad::Call(Road::kAsync, Forms("stopDrag"), "\"dragged\"");
    EXPECT_TRUE(PumpMessagesUntil([&] { return GetCapture() != window; }));
    const wxPoint stopped = form->GetPosition();
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(70, 70));
    EXPECT_EQ(stopped, form->GetPosition());
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(70, 70));
}

TEST_F(FormsCommands, VisibilityAndTitleBothRoads)
{
    KovaFormMSW* form = Make(NamedSettings(L"shy"));
    EXPECT_EQ("false", CallCommandSync(Forms("get_visible"), "\"shy\""));
    FormsRoad::Call(Road::kAsync, Forms("set_visible"), "\"shy\", 1");
    EXPECT_TRUE(PumpMessagesUntil([&] { return IsWindowVisible(Handle(form)) != FALSE; }));
    EXPECT_EQ("true", CallCommandSync(Forms("get_visible"), "\"shy\""));
    EXPECT_EQ("0", CallCommandSync(Forms("set_title"), "\"shy\", \"\\u00e9t\\u00e9\""));
    EXPECT_EQ("\"\xC3\xA9t\xC3\xA9\"", CallCommandSync(Forms("get_title"), "\"shy\""));
    wchar_t caption[16] = {};
    GetWindowTextW(Handle(form), caption, 16);
    EXPECT_EQ(std::wstring(L"\u00e9t\u00e9"), caption);
    EXPECT_EQ("0", CallCommandSync(Forms("setFocus"), "\"shy\""));
}

// The movie answers "echo" with a fixed XML answer and accepts "note".
const char* const kMovieScript = "callback note\n"
                                 "callback echo <string>a &amp; b</string>\n";

TEST_F(FormsCommands, MovieCallsArriveOnTheMainThreadByBothRoads)
{
    m_road.Fixture().SetMovie(ScriptedMovieBytes(kMovieScript));
    Make(NamedSettings(L"movie"), 1);
    m_road.Fixture().SetMovie(ByteVector());
    ASSERT_TRUE(WaitForScriptsToEnd(m_road, 1));
    m_road.Fixture().Mark();

    int round = 0;
    for (Road road : kBothRoads) {
        SCOPED_TRACE(RoadName(road));
        const std::string tag = std::to_string(++round);
        EXPECT_EQ(road == Road::kSync ? "0" : "",
                  FormsRoad::Call(road, Forms("callFunction"), "\"movie\", \"note\", \"a" + tag + ";b\", \";\""));
        EXPECT_TRUE(m_road.WaitForLine("host call note arguments=2 [a" + tag + "] [b]"));
        FormsRoad::Call(road, Forms("goToFrame"), "\"movie\", " + tag);
        EXPECT_TRUE(m_road.WaitForLine("invoke GotoFrame " + tag));
        FormsRoad::Call(road, Forms("goToLabel"), "\"movie\", \"scene " + tag + "\"");
        EXPECT_TRUE(m_road.WaitForLine("invoke TGotoLabel /|scene " + tag));
        FormsRoad::Call(road, Forms("callFunction2"),
                        "\"movie\", \"<invoke name=\\\"echo\\\" returntype=\\\"xml\\\"><arguments>"
                        "<string>" + tag + "</string></arguments></invoke>\"");
        EXPECT_TRUE(m_road.WaitForLine("host call echo arguments=1 [" + tag + "]"));
    }
    // The answer comes back as the movie gave it; a function it lacks answers empty.
    EXPECT_EQ("\"<string>a &amp; b<\\/string>\"",
              CallCommandSync(Forms("callFunction2"),
                              "\"movie\", \"<invoke name=\\\"echo\\\" returntype=\\\"xml\\\"><arguments></arguments></invoke>\""));
    EXPECT_EQ("\"\"", CallCommandSync(Forms("callFunction2"),
                                      "\"movie\", \"<invoke name=\\\"absent\\\" returntype=\\\"xml\\\"></invoke>\""));
    EXPECT_EQ(std::vector<std::string>(), m_road.LinesOffTheMainThread());
}

} // namespace
