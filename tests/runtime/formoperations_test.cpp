// The window operations that the scripting modules apply to a form, on the
// main thread and from another thread, and its menu commands.

#include "commandcalls.h"
#include "formfixture.h"
#include "kovaformmsw.h"
#include "mainthread.h"

#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/statusbr.h>

#include <algorithm>

namespace {

int CountChildren(HWND parent, const wchar_t* className)
{
    int count = 0;
    for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child;
         child = FindWindowExW(parent, child, className, nullptr))
        ++count;
    return count;
}

TEST(FormOperations, PositionAndSizeSettersKeepTheOtherValues)
{
    FormFixture fixture;
    KovaFormMSW* form = fixture.MakeForm(PlainFormSettings());
    form->SetSize(50, 60, 400, 300);
    form->SetWidth(420);
    EXPECT_EQ(wxRect(50, 60, 420, 300), form->GetRect());
    form->SetHeight(310);
    EXPECT_EQ(wxRect(50, 60, 420, 310), form->GetRect());
    form->SetX(-1); // a plain coordinate, not "keep the old one"
    EXPECT_EQ(wxRect(-1, 60, 420, 310), form->GetRect());
    form->SetY(70);
    EXPECT_EQ(wxRect(-1, 70, 420, 310), form->GetRect());
    delete form;
}

TEST(FormOperations, ShakeEndsWhereItBegan)
{
    FormFixture fixture;
    KovaFormMSW* form = fixture.MakeForm(PlainFormSettings());
    form->Move(120, 80);
    for (int count : {3, 0, -2}) {
        SCOPED_TRACE(count);
        form->Shake(count);
        EXPECT_EQ(wxPoint(120, 80), form->GetPosition());
    }
    delete form;
}

TEST(FormOperations, ShowOnMonitorMovesOntoAnExistingMonitorOnly)
{
    FormFixture fixture;
    KovaFormMSW* form = fixture.MakeForm(PlainFormSettings());
    form->Move(33, 44);
    const int monitors = GetSystemMetrics(SM_CMONITORS);
    form->ShowOnMonitor(monitors); // one past the last
    form->ShowOnMonitor(-1);
    EXPECT_EQ(wxPoint(33, 44), form->GetPosition());
    form->ShowOnMonitor(0);
    POINT origin = {0, 0};
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &info);
    EXPECT_EQ(wxPoint(info.rcMonitor.left + 100, info.rcMonitor.top + 100), form->GetPosition());
    delete form;
}

TEST(FormOperations, StatusBarIsMadeOnceAndShown)
{
    FormFixture fixture;
    KovaFormMSW* form = fixture.MakeForm(PlainFormSettings(), PackageSettings(), ByteVector(), 4);
    form->ShowStatusBar();
    wxStatusBar* bar = form->GetStatusBar();
    ASSERT_NE(nullptr, bar);
    bar->Hide();
    form->ShowStatusBar();
    EXPECT_EQ(bar, form->GetStatusBar());
    EXPECT_TRUE(bar->IsShown());
    EXPECT_EQ(1004, bar->GetId());
    EXPECT_EQ(wxString("status_line"), bar->GetName());
    EXPECT_EQ(1, bar->GetFieldsCount());
    EXPECT_EQ(1, CountChildren(form->GetHWND(), L"msctls_statusbar32"));
    delete form;
}

TEST(FormOperations, WindowStateNamesMinimizedFirst)
{
    FormFixture fixture;
    FormSettings settings = PlainFormSettings();
    settings.visible = true;
    settings.maximizeBox = settings.minimizeBox = true;
    KovaFormMSW* form = fixture.MakeForm(settings);
    EXPECT_EQ(wxString("nor"), form->GetWindowState());
    form->Maximize(true);
    EXPECT_EQ(wxString("max"), form->GetWindowState());
    form->Iconize(true);
    EXPECT_EQ(wxString("min"), form->GetWindowState());
    form->Restore();
    EXPECT_TRUE(PumpMessagesUntil([&] { return form->GetWindowState() != "min"; }));
    EXPECT_NE(wxString("min"), form->GetWindowState());
    delete form;
}

TEST(FormOperations, SizeConstraintsLimitTheTrackingSize)
{
    FormFixture fixture;
    FormSettings settings = PlainFormSettings();
    settings.frameKind = 1;
    KovaFormMSW* form = fixture.MakeForm(settings);
    form->SetSizeConstraints(300, 200, 500, -1);
    MINMAXINFO limits = {};
    limits.ptMaxTrackSize = {100000, 100000};
    SendMessageW(form->GetHWND(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(300, limits.ptMinTrackSize.x);
    EXPECT_EQ(200, limits.ptMinTrackSize.y);
    EXPECT_EQ(500, limits.ptMaxTrackSize.x);
    EXPECT_EQ(100000, limits.ptMaxTrackSize.y); // -1: no limit
    delete form;
}

TEST(FormOperations, FullScreenCoversTheDisplayAndComesBack)
{
    FormFixture fixture;
    for (bool direct : {false, true}) {
        SCOPED_TRACE(direct);
        FormSettings settings = PlainFormSettings();
        settings.direct = direct;
        settings.rightButtonMode = 1;
        KovaFormMSW* form = fixture.MakeForm(settings);
        const wxRect before = form->GetRect();
        form->ShowFullScreen(true);
        EXPECT_TRUE(form->IsFullScreen());
        EXPECT_EQ(wxGetDisplaySize(), form->GetClientSize());
        if (direct) {
            RECT area;
            GetClientRect(FindWindowExW(form->GetHWND(), nullptr, L"STATIC", nullptr), &area);
            EXPECT_EQ(wxGetDisplaySize(), wxSize(area.right, area.bottom));
        }
        form->ShowFullScreen(false);
        EXPECT_EQ(before, form->GetRect());
        if (direct) {
            // The child followed the switch and kept the form's procedure.
            HWND child = FindWindowExW(form->GetHWND(), nullptr, L"STATIC", nullptr);
            ASSERT_NE(nullptr, child);
            RECT area;
            GetClientRect(child, &area);
            EXPECT_EQ(form->GetClientSize(), wxSize(area.right, area.bottom));
            EXPECT_EQ(1, SendMessageW(child, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)));
        }
        delete form;
    }
}

TEST(FormOperations, WindowAndMovieCallsFromAnotherThreadRunOnTheMainThread)
{
    FormFixture fixture;
    AllowMainThreadWork(); // an earlier command centre's shut-down may have refused it
    KovaFormMSW* form = fixture.MakeForm(PlainFormSettings());
    form->Move(10, 10);
    fixture.Mark();
    wxString state;
    EXPECT_TRUE(RunOnWorkerWhilePumping([&] {
        form->SetVariable("who", "worker");
        form->GetVariable("who");
        form->CallMovieFunction("f", "1|2", "|");
        form->ShowStatusBar();
        form->SetX(77);
        form->Shake(1);
        state = form->GetWindowState();
    }));
    EXPECT_EQ(wxString("nor"), state);
    EXPECT_EQ(77, form->GetPosition().x);
    EXPECT_NE(nullptr, form->GetStatusBar());
    const std::vector<std::string> lines = fixture.Since();
    EXPECT_NE(lines.end(), std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
                  return line.find("invoke SetVariable who") != std::string::npos;
              }));
    for (const std::string& line : lines)
        EXPECT_EQ(0u, line.rfind("main #", 0)) << "not on the main thread: " << line;
    delete form;
}

TEST(FormOperations, MenuCommandsNameTheirMenuAndAttachAMenuBar)
{
    FormFixture fixture;
    struct Click {
        int32_t formId;
        std::string eventName, payload;
    };
    std::vector<Click> clicks;
    KovaForm::SetMenuClickReceiver([&](int32_t formId, const std::string& eventName, const std::string& payload) {
        clicks.push_back({formId, eventName, payload});
    });
    KovaFormMSW* form = fixture.MakeForm(PlainFormSettings(), PackageSettings(), ByteVector(), 2);
    wxMenuItem* copy = form->ContextMenu().Append(wxID_ANY, "Copy \"all\"");
    auto click = [&](int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(form);
        form->GetEventHandler()->ProcessEvent(event);
    };
    ASSERT_EQ(nullptr, form->GetMenuBar());
    click(copy->GetId());
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ(2, clicks[0].formId);
    EXPECT_EQ("onContextMenuClick", clicks[0].eventName);
    EXPECT_EQ("{ \"name\": \"Copy \\\"all\\\"\" }", clicks[0].payload);
    wxMenuBar* bar = form->GetMenuBar();
    ASSERT_NE(nullptr, bar); // attached by the click
    EXPECT_EQ(bar, form->GetOrCreateMenuBar());

    auto* file = new wxMenu;
    wxMenuItem* open = file->Append(wxID_ANY, "&Open");
    bar->Append(file, "File");
    click(open->GetId());
    click(open->GetId() + 1000); // in no menu
    ASSERT_EQ(2u, clicks.size());
    EXPECT_EQ("onMenuClick", clicks[1].eventName);
    EXPECT_EQ("{ \"name\": \"Open\" }", clicks[1].payload);
    KovaForm::SetMenuClickReceiver(nullptr);
    delete form;
}

} // namespace
