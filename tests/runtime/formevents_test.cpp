// What a form tells the movie's Application objects when its window changes,
// how it answers close requests (exit handler, fade-out) and how a button in
// drag mode moves it. Application objects are made through the call road.

#include "appstate.h"
#include "applicationtestsupport.h"
#include "commandcalls.h"
#include "eventcapture.h"
#include "formfixture.h"
#include "kovaformmsw.h"
#include "windowmessages.h"

#include <gtest/gtest.h>

#include <wx/app.h>

#include <algorithm>

namespace {

struct Seen {
    int32_t formId;
    int32_t callerId;
    std::string name;
    std::string payload;
    bool operator==(const Seen& other) const
    {
        return formId == other.formId && callerId == other.callerId && name == other.name &&
               payload == other.payload;
    }
};

std::ostream& operator<<(std::ostream& out, const Seen& seen)
{
    return out << seen.formId << "/" << seen.callerId << " " << seen.name << " " << seen.payload;
}

// Application objects of form 0 (caller 10) and form 1 (caller 11), the
// forms themselves, and every event posted to the objects.
class FormEvents : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_module.Ready());
        ASSERT_NE("-1", CallCommandSync("nxa.Application.create", "", 0, 10));
        ASSERT_NE("-1", CallCommandSync("nxa.Application.create", "", 1, 11));
        FormSettings settings = PlainFormSettings();
        settings.visible = true;
        settings.frameKind = 1;
        settings.maximizeBox = settings.minimizeBox = true;
        m_main = m_fixture.MakeForm(settings, PackageSettings(), ByteVector(), 0);
        m_other = m_fixture.MakeForm(settings, PackageSettings(), ByteVector(), 1);
        PumpPendingMessages();
    }
    void TearDown() override
    {
        GetAppState().SetExitHandlerEnabled(false);
        // A form that closed itself goes with the toolkit's pending objects.
        for (KovaForm* form : {m_main, m_other}) {
            if (form && !wxTheApp->IsScheduledForDestruction(form))
                delete form;
        }
        wxTheApp->ProcessIdle();
    }

    // Forgets the events so far.
    void Mark() { m_mark = m_capture.Events().size(); }
    std::vector<Seen> Since() const
    {
        std::vector<Seen> seen;
        const std::vector<AsyncEventData> events = m_capture.Events();
        for (size_t index = m_mark; index < events.size(); ++index) {
            const AsyncEventData& event = events[index];
            seen.push_back({event.formId, event.callerId, wxString(event.eventName).ToStdString(),
                            wxString(event.payload).utf8_string()});
        }
        return seen;
    }
    // Waits, with a bound, until every one of the events came since the mark.
    bool WaitForEvents(const std::vector<Seen>& expected) const
    {
        return PumpMessagesUntil([&] {
            const std::vector<Seen> seen = Since();
            return std::all_of(expected.begin(), expected.end(), [&](const Seen& event) {
                return std::find(seen.begin(), seen.end(), event) != seen.end();
            });
        });
    }
    // Focuses the form and waits until the focus is in its window.
    static bool Focus(KovaFormMSW* form)
    {
        form->Raise();
        form->SetFocus();
        const HWND window = form->GetHWND();
        return PumpMessagesUntil([&] {
            const HWND focus = GetFocus();
            return focus == window || IsChild(window, focus);
        });
    }
    std::vector<std::string> NamesSince() const
    {
        std::vector<std::string> names;
        for (const Seen& seen : Since())
            names.push_back(seen.name);
        return names;
    }
    static std::string Sizes(KovaForm* form)
    {
        const wxSize client = form->GetClientSize(), outer = form->GetSize();
        return "{ \"clientWidth\": " + std::to_string(client.x) + ", \"clientHeight\": " +
               std::to_string(client.y) + ", \"width\": " + std::to_string(outer.x) + ", \"height\": " +
               std::to_string(outer.y) + " }";
    }
    // True when the names occur in this order (others may come between).
    static bool InOrder(const std::vector<std::string>& names, const std::vector<std::string>& expected)
    {
        auto at = names.begin();
        for (const std::string& name : expected) {
            at = std::find(at, names.end(), name);
            if (at == names.end())
                return false;
            ++at;
        }
        return true;
    }

    FormFixture m_fixture;
    ApplicationModuleScope m_module;
    EventCapture m_capture;
    size_t m_mark = 0;
    KovaFormMSW* m_main = nullptr;
    KovaFormMSW* m_other = nullptr;
};

TEST_F(FormEvents, ResizeOfANeverMaximizedFormSendsOnlyItsSizes)
{
    Mark();
    m_other->SetClientSize(300, 200);
    const std::vector<Seen> seen = Since();
    ASSERT_FALSE(seen.empty());
    for (const Seen& event : seen) {
        EXPECT_EQ(1, event.formId);
        EXPECT_EQ(11, event.callerId);
        EXPECT_EQ("onFormResize", event.name);
    }
    EXPECT_EQ(Sizes(m_other), seen.back().payload);
}

TEST_F(FormEvents, MaximizeThenRestoreOfTheMainFormSpeaksForTheApplicationToo)
{
    Mark();
    m_main->Maximize(true);
    std::vector<std::string> names = NamesSince();
    EXPECT_TRUE(InOrder(names, {"onAppMaximize", "onFormMaximize"})) << testing::PrintToString(names);
    const std::vector<Seen> maximized = Since();
    // The application event goes to the objects of every form, the form's own
    // event to the main form's object only.
    EXPECT_NE(maximized.end(), std::find(maximized.begin(), maximized.end(), Seen{0, 10, "onAppMaximize", "{ }"}));
    EXPECT_NE(maximized.end(), std::find(maximized.begin(), maximized.end(), Seen{1, 11, "onAppMaximize", "{ }"}));
    EXPECT_NE(maximized.end(),
              std::find(maximized.begin(), maximized.end(), Seen{0, 10, "onFormMaximize", Sizes(m_main)}));
    EXPECT_EQ(0, std::count_if(maximized.begin(), maximized.end(), [](const Seen& event) {
                  return event.name == "onFormMaximize" && event.formId == 1;
              }));

    Mark();
    m_main->Maximize(false);
    names = NamesSince();
    EXPECT_TRUE(InOrder(names, {"onFormResize", "onAppRestore", "onFormRestore"})) << testing::PrintToString(names);
    EXPECT_EQ(Since().back(), (Seen{0, 10, "onFormRestore", Sizes(m_main)}));

    // The other form speaks only for itself.
    Mark();
    m_other->Maximize(true);
    m_other->Maximize(false);
    names = NamesSince();
    EXPECT_TRUE(InOrder(names, {"onFormMaximize", "onFormResize", "onFormRestore"})) << testing::PrintToString(names);
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), "onAppMaximize"));
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), "onAppRestore"));
}

TEST_F(FormEvents, MinimizeAndComingBack)
{
    Mark();
    m_main->Iconize(true);
    std::vector<std::string> names = NamesSince();
    EXPECT_TRUE(InOrder(names, {"onAppMinimize", "onFormMinimize"})) << testing::PrintToString(names);
    Mark();
    m_main->Iconize(false);
    names = NamesSince();
    EXPECT_TRUE(InOrder(names, {"onAppRestore", "onFormRestore"})) << testing::PrintToString(names);
}

TEST_F(FormEvents, MovesReportThePositionAndTheScreenEdgesTouched)
{
    const wxSize display = wxGetDisplaySize();
    const wxSize outer = m_other->GetSize();
    struct Case {
        wxPoint position;
        std::vector<std::string> hits;
    } cases[] = {
        {wxPoint(0, 0), {"onLeftHit", "onTopHit"}},
        {wxPoint(display.x - outer.x, display.y - outer.y), {"onRightHit", "onBottomHit"}},
        {wxPoint(0, display.y - outer.y), {"onLeftHit", "onBottomHit"}},
        {wxPoint(5, 6), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position.x << "," << c.position.y);
        m_other->Move(50, 50);
        Mark();
        m_other->Move(c.position);
        std::vector<Seen> seen = Since();
        auto reposition = std::find_if(seen.begin(), seen.end(),
                                       [](const Seen& event) { return event.name == "onFormReposition"; });
        ASSERT_NE(seen.end(), reposition);
        EXPECT_EQ("{ \"x\": " + std::to_string(c.position.x) + ", \"y\": " + std::to_string(c.position.y) + " }",
                  reposition->payload);
        std::vector<std::string> after;
        for (auto event = reposition + 1; event != seen.end(); ++event) {
            EXPECT_EQ("{ }", event->payload);
            after.push_back(event->name);
        }
        EXPECT_EQ(c.hits, after);
    }
}

TEST_F(FormEvents, FocusOfTheMainFormGoesToEveryApplicationObject)
{
    ASSERT_TRUE(Focus(m_other));
    Mark();
    const Seen gained[] = {{0, 10, "onAppChangeFocus", "{ \"focus\": true }"},
                           {1, 11, "onAppChangeFocus", "{ \"focus\": true }"},
                           {0, 10, "onFormChangeFocus", "{ \"focus\": true }"}};
    const Seen lost = {1, 11, "onFormChangeFocus", "{ \"focus\": false }"};
    ASSERT_TRUE(Focus(m_main));
    // The events of the whole change, before looking for one that must not come.
    ASSERT_TRUE(WaitForEvents({gained[0], gained[1], gained[2], lost}));
    const std::vector<Seen> seen = Since();
    for (const Seen& event : gained)
        EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), event)) << event;
    // The form that lost the focus tells only its own objects.
    EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), lost));
    EXPECT_EQ(0, std::count_if(seen.begin(), seen.end(), [](const Seen& event) {
                  return event.name == "onAppChangeFocus" && event.payload == "{ \"focus\": false }";
              }));
}

TEST_F(FormEvents, FocusMovingIntoTheDirectModeChildStaysWithinTheForm)
{
    delete m_other;
    m_other = nullptr;
    FormSettings settings = PlainFormSettings();
    settings.visible = true;
    settings.direct = true;
    KovaFormMSW* form = m_fixture.MakeForm(settings, PackageSettings(), ByteVector(), 1);
    HWND child = FindWindowExW(form->GetHWND(), nullptr, L"STATIC", nullptr);
    ASSERT_NE(nullptr, child);
    ASSERT_TRUE(Focus(form));
    const Seen lost = {1, 11, "onFormChangeFocus", "{ \"focus\": false }"};
    Mark();
    SetFocus(child);
    // Focus moves within the thread at once; what it tells the form is sent,
    // not posted, and anything posted meanwhile runs in this pump.
    PumpPendingMessages();
    ASSERT_EQ(child, GetFocus());
    std::vector<Seen> seen = Since();
    EXPECT_EQ(seen.end(), std::find(seen.begin(), seen.end(), lost));
    // Leaving the child for another form is a loss of focus of the form.
    Mark();
    ASSERT_TRUE(Focus(m_main));
    EXPECT_TRUE(WaitForEvents({lost}));
    seen = Since();
    EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), lost));
    delete form;
}

TEST_F(FormEvents, DroppedFilesArriveAsAList)
{
    auto* files = new wxString[2]{"C:\\a b.txt", wxString::FromUTF8("C:\\\xC3\xA9t\xC3\xA9.png")};
    wxDropFilesEvent drop(wxEVT_DROP_FILES, 2, files); // takes the list over
    Mark();
    m_other->GetEventHandler()->ProcessEvent(drop);
    EXPECT_EQ(std::vector<Seen>({{1, 11, "onDragDrop", "[ \"C:\\\\a b.txt\", \"C:\\\\\xC3\xA9t\xC3\xA9.png\" ]"}}),
              Since());
}

TEST_F(FormEvents, ExitHandlerTurnsClosesIntoEvents)
{
    GetAppState().SetExitHandlerEnabled(true);
    Mark();
    EXPECT_FALSE(m_main->Close(false));
    EXPECT_FALSE(m_other->Close(false));
    EXPECT_TRUE(WaitForEvents({{0, 10, "onAppExit", "{ }"}, {1, 11, "onFormClose", "{ }"}}));
    EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(m_main));
    EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(m_other));
    EXPECT_TRUE(m_main->IsShown());
    EXPECT_FALSE(m_other->IsShown());
    const std::vector<Seen> seen = Since();
    EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), Seen{0, 10, "onAppExit", "{ }"}));
    EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), Seen{1, 11, "onFormClose", "{ }"}));
    EXPECT_EQ(0, std::count_if(seen.begin(), seen.end(), [](const Seen& event) {
                  return event.name == "onAppExit" && event.formId != 0;
              }));

    // A close that cannot be vetoed leaves the form as well.
    m_main->Close(true);
    EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(m_main));

    // Without the handler a close closes.
    GetAppState().SetExitHandlerEnabled(false);
    EXPECT_TRUE(m_other->Close(false));
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(m_other));
}

TEST_F(FormEvents, FadeOutOnCloseClosesOnceTransparent)
{
    FormSettings settings = PlainFormSettings();
    settings.windowType = 1;
    settings.fadeTarget = 12;
    settings.fadeInterval = 1;
    settings.fadeOutOnClose = 1;
    KovaFormMSW* form = m_fixture.MakeForm(settings, PackageSettings(), ByteVector(), 2);
    ASSERT_TRUE(PumpMessagesUntil([&] { return form->GetAlpha() == 12; }));
    EXPECT_FALSE(form->Close(false));
    PumpMessagesUntil([&] { return form->GetAlpha() < 12; });
    EXPECT_FALSE(form->Close(false)); // ignored while fading
    EXPECT_FALSE(wxTheApp->IsScheduledForDestruction(form));
    EXPECT_TRUE(PumpMessagesUntil([&] { return wxTheApp->IsScheduledForDestruction(form); }));
    wxTheApp->ProcessIdle();
}

TEST_F(FormEvents, LeftButtonInDragModeMovesTheWindowAndNeverReachesTheMovie)
{
    FormSettings settings = PlainFormSettings();
    settings.leftButtonMode = 2;
    KovaFormMSW* form = m_fixture.MakeForm(settings, PackageSettings(), ByteVector(), 2);
    form->Move(100, 100);
    HWND window = form->GetHWND();
    POINT grip = {20, 30};
    ClientToScreen(window, &grip);
    SetCursorPos(grip.x, grip.y);
    POINT cursor;
    GetCursorPos(&cursor);
    const wxPoint offset = wxPoint(cursor.x, cursor.y) - form->GetPosition();
    m_fixture.Mark();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
    EXPECT_EQ(window, GetCapture());
    POINT to = {60, 50};
    ClientToScreen(window, &to);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 50));
    EXPECT_EQ(wxPoint(to.x, to.y) - offset, form->GetPosition());
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(60, 50));
    EXPECT_NE(window, GetCapture());
    // Released: moving no longer drags.
    const wxPoint dropped = form->GetPosition();
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(dropped, form->GetPosition());
    EXPECT_FALSE(m_fixture.ReceivedAny(WM_LBUTTONDOWN));
    EXPECT_FALSE(m_fixture.ReceivedAny(WM_LBUTTONUP));
    delete form;
}

TEST_F(FormEvents, DragStartedByACommandFollowsAnyButtonUntilStopped)
{
    KovaFormMSW* form = m_fixture.MakeForm(PlainFormSettings(), PackageSettings(), ByteVector(), 2);
    form->Move(100, 100);
    HWND window = form->GetHWND();
    form->StartDrag();
    EXPECT_EQ(window, GetCapture());
    const POINT dragged = DragTopLevelWindow(window, WM_MBUTTONDOWN, MK_MBUTTON);
    EXPECT_EQ(wxPoint(dragged.x, dragged.y), form->GetPosition());

    form->StopDrag();
    EXPECT_NE(window, GetCapture());
    const wxPoint stopped = form->GetPosition();
    SendMessageW(window, WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(70, 70));
    EXPECT_EQ(stopped, form->GetPosition());
    delete form;
}

} // namespace
