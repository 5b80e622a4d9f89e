// The form window in this process on the stand-in player: what its window
// procedure hands the plug-in, its size and placement, the three window
// types, the direct mode's child window and its going away.

#include "commandcentre.h"
#include "formfixture.h"
#include "kovaformmsw.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <wx/app.h>

#include <algorithm>

namespace {

const UINT kAltDown = 1u << 29; // the context code of a key message with Alt held

bool ScheduledForDestruction(KovaForm* form)
{
    return wxTheApp->IsScheduledForDestruction(form);
}

// Lets a form that closed itself go the way the main loop would let it.
void FinishClosing()
{
    wxTheApp->ProcessIdle();
}

TEST(KovaForm, EscapeClosesOnlyWithTheSettingAndThenNeverReachesThePlugin)
{
    FormFixture fixture;
    for (bool escapeCloses : {false, true}) {
        SCOPED_TRACE(escapeCloses);
        FormSettings settings = PlainFormSettings();
        settings.escapeCloses = escapeCloses;
        KovaFormMSW* form = fixture.MakeForm(settings);
        fixture.Mark();
        SendMessageW(form->GetHWND(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
        SendMessageW(form->GetHWND(), WM_KEYUP, 'A', 0xC01E0001);
        EXPECT_EQ(!escapeCloses, fixture.Received(WM_KEYUP, VK_ESCAPE));
        EXPECT_TRUE(fixture.Received(WM_KEYUP, 'A'));
        EXPECT_EQ(escapeCloses, ScheduledForDestruction(form));
        if (escapeCloses)
            FinishClosing();
        else
            delete form;
        EXPECT_EQ(nullptr, CommandCentre::Get().FindForm(0));
    }
}

TEST(KovaForm, AltF4IsSwallowedUnlessAllowed)
{
    FormFixture fixture;
    FormSettings settings = PlainFormSettings();
    settings.altF4Allowed = false;
    settings.visible = true;
    KovaFormMSW* form = fixture.MakeForm(settings);
    fixture.Mark();
    EXPECT_EQ(1, SendMessageW(form->GetHWND(), WM_SYSKEYDOWN, VK_F4, kAltDown | 0x3E0001));
    EXPECT_FALSE(fixture.ReceivedAny(WM_SYSKEYDOWN));
    PumpPendingMessages(); // a close the key asked for has run
    EXPECT_FALSE(ScheduledForDestruction(form));
    EXPECT_TRUE(form->IsShown());
    // Other system keys still reach the movie.
    SendMessageW(form->GetHWND(), WM_SYSKEYDOWN, VK_F5, kAltDown | 0x3F0001);
    EXPECT_TRUE(fixture.Received(WM_SYSKEYDOWN, VK_F5));
    delete form;

    settings.altF4Allowed = true;
    form = fixture.MakeForm(settings);
    fixture.Mark();
    SendMessageW(form->GetHWND(), WM_SYSKEYDOWN, VK_F4, kAltDown | 0x3E0001);
    EXPECT_TRUE(fixture.Received(WM_SYSKEYDOWN, VK_F4));
    PumpPendingMessages();
    if (ScheduledForDestruction(form))
        FinishClosing(); // the system closed it, as Alt+F4 does
    else
        delete form;
}

TEST(KovaForm, ButtonModesWithholdButtonsFromThePlugin)
{
    struct Case {
        int left, middle, right;
    } cases[] = {{0, 0, 0}, {1, 2, 1}, {2, 1, 2}};
    FormFixture fixture;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << c.middle << c.right);
        FormSettings settings = PlainFormSettings();
        settings.leftButtonMode = c.left;
        settings.middleButtonMode = c.middle;
        settings.rightButtonMode = c.right;
        KovaFormMSW* form = fixture.MakeForm(settings);
        HWND window = form->GetHWND();
        const LPARAM point = MAKELPARAM(30, 40);
        fixture.Mark();
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
        if (c.left == 0) {
            EXPECT_EQ(window, GetCapture()); // the movie keeps the mouse while the button is down
        }
        SendMessageW(window, WM_LBUTTONUP, 0, point);
        EXPECT_NE(window, GetCapture());
        SendMessageW(window, WM_MBUTTONDOWN, MK_MBUTTON, point);
        SendMessageW(window, WM_MBUTTONUP, 0, point);
        // A withheld right button with the context menu disabled shows nothing.
        SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, point);
        SendMessageW(window, WM_RBUTTONUP, 0, point);
        EXPECT_EQ(c.left == 0, fixture.ReceivedAny(WM_LBUTTONDOWN));
        EXPECT_EQ(c.left == 0, fixture.ReceivedAny(WM_LBUTTONUP));
        EXPECT_EQ(c.middle == 0, fixture.ReceivedAny(WM_MBUTTONDOWN));
        EXPECT_EQ(c.middle == 0, fixture.ReceivedAny(WM_MBUTTONUP));
        EXPECT_EQ(c.right == 0, fixture.ReceivedAny(WM_RBUTTONDOWN));
        EXPECT_EQ(c.right == 0, fixture.ReceivedAny(WM_RBUTTONUP));
        EXPECT_NE(window, GetCapture());
        delete form;
    }
}

TEST(KovaForm, OtherInputReachesThePluginAndTheWheelInClientCoordinates)
{
    FormFixture fixture;
    KovaFormMSW* form = fixture.MakeForm(PlainFormSettings());
    HWND window = form->GetHWND();
    form->Move(200, 150);
    POINT point = {17, 23};
    ClientToScreen(window, &point);
    fixture.Mark();
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(point.x, point.y));
    const UINT registered = RegisterWindowMessageW(L"kova form test message");
    SendMessageW(window, registered, 5, 6);
    SendMessageW(window, WM_KEYDOWN, 'K', 0x250001);
    SendMessageW(window, WM_CHAR, 'k', 0x250001);
    SendMessageW(window, WM_COPY, 0, 0);
    EXPECT_EQ(1, SendMessageW(window, WM_ERASEBKGND, 0, 0));

    const std::string wheel = "NPP_HandleEvent event=0x20a wParam=0x780000 lParam=0x170011";
    const std::vector<std::string> lines = fixture.Since();
    EXPECT_NE(lines.end(), std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
                  return line.find(wheel) != std::string::npos;
              })) << "wheel at client (17, 23)";
    EXPECT_TRUE(fixture.Received(registered, 5));
    EXPECT_TRUE(fixture.Received(WM_KEYDOWN, 'K'));
    EXPECT_TRUE(fixture.Received(WM_CHAR, 'k'));
    EXPECT_TRUE(fixture.ReceivedAny(WM_COPY));
    EXPECT_FALSE(fixture.ReceivedAny(WM_ERASEBKGND));
    delete form;
}

TEST(KovaForm, ClientSizeIsExactAndCentringHalvesTheOuterSize)
{
    FormFixture fixture;
    const wxSize display = wxGetDisplaySize();
    for (int frameKind : {0, 1, 2}) {
        SCOPED_TRACE(frameKind);
        FormSettings settings = PlainFormSettings();
        settings.frameKind = frameKind;
        settings.width = 301;
        settings.height = 203;
        settings.centre = true;
        KovaFormMSW* form = fixture.MakeForm(settings);
        EXPECT_EQ(wxSize(301, 203), form->GetClientSize());
        const wxSize outer = form->GetSize();
        EXPECT_EQ(wxPoint(display.x / 2 - outer.x / 2, display.y / 2 - outer.y / 2), form->GetPosition());
        EXPECT_EQ(wxString("plain"), form->GetTitle());
        delete form;
    }
    // Sizes in percent of the display are not turned into a client size.
    FormSettings settings = PlainFormSettings();
    settings.sizeUnit = 1;
    settings.width = 50;
    settings.height = 50;
    KovaFormMSW* form = fixture.MakeForm(settings);
    EXPECT_EQ(wxSize(display.x / 2, display.y / 2), form->GetSize());
    delete form;
}

TEST(KovaForm, InitialStateAndVisibility)
{
    FormFixture fixture;
    FormSettings settings = PlainFormSettings();
    settings.visible = true;
    settings.maximizeBox = settings.minimizeBox = true;
    settings.initialState = 2;
    KovaFormMSW* form = fixture.MakeForm(settings);
    EXPECT_EQ(wxString("max"), form->GetWindowState());
    delete form;
    settings.initialState = 1;
    form = fixture.MakeForm(settings);
    EXPECT_EQ(wxString("min"), form->GetWindowState());
    delete form;
    settings.initialState = 0;
    settings.visible = false;
    form = fixture.MakeForm(settings);
    EXPECT_FALSE(form->IsShown());
    EXPECT_EQ(wxString("nor"), form->GetWindowState());
    delete form;
}

TEST(KovaForm, FadeInWindowStartsTransparentAndStopsAtItsTarget)
{
    // The fade steps every millisecond (at the system's shortest timer
    // period): a fade that went on would step within this period.
    const int kFadeSentinelMs = 20;
    FormFixture fixture;
    FormSettings settings = PlainFormSettings();
    settings.windowType = 1;
    settings.fadeTarget = 30;
    settings.fadeInterval = 1;
    KovaFormMSW* form = fixture.MakeForm(settings);
    EXPECT_LT(form->GetAlpha(), 30);
    EXPECT_TRUE(PumpMessagesUntil([&] { return form->GetAlpha() == 30; }));
    ASSERT_TRUE(PumpThroughTimerPeriods(kFadeSentinelMs));
    EXPECT_EQ(30, form->GetAlpha());
    delete form;

    // A target that the alpha can never meet ends the fade fully opaque.
    settings.fadeTarget = 300;
    form = fixture.MakeForm(settings);
    EXPECT_TRUE(PumpMessagesUntil([&] { return form->GetAlpha() == 255; }, 10000));
    ASSERT_TRUE(PumpThroughTimerPeriods(kFadeSentinelMs));
    EXPECT_EQ(255, form->GetAlpha());
    delete form;
}

TEST(KovaForm, LayeredWindowIsLayeredAndReportsFullAlpha)
{
    FormFixture fixture;
    FormSettings settings = PlainFormSettings();
    settings.windowType = 3;
    KovaFormMSW* form = fixture.MakeForm(settings);
    EXPECT_TRUE(GetWindowLongPtrW(form->GetHWND(), GWL_EXSTYLE) & WS_EX_LAYERED);
    SetLayeredWindowAttributes(form->GetHWND(), 0, 40, LWA_ALPHA);
    EXPECT_EQ(255, form->GetAlpha());
    delete form;

    form = fixture.MakeForm(PlainFormSettings());
    EXPECT_FALSE(GetWindowLongPtrW(form->GetHWND(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(255, form->GetAlpha());
    delete form;
}

// The window's shape: whether the point (window coordinates) is inside it;
// true everywhere for a window without a shape.
bool InShape(HWND window, int x, int y)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(window, region);
    const bool inside = kind == ERROR || kind == NULLREGION ? true : PtInRegion(region, x, y) != 0;
    DeleteObject(region);
    return inside;
}

bool HasShape(HWND window)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(window, region);
    DeleteObject(region);
    return kind != ERROR && kind != NULLREGION;
}

TEST(KovaForm, MaskedWindowTakesTheShapeOfTheNonBlackPixels)
{
    FormFixture fixture;
    FormSettings settings = PlainFormSettings();
    settings.windowType = 2;
    KovaFormMSW* form = fixture.MakeForm(settings, PackageSettings(), BmpWithWhiteRect(40, 30, 10, 5, 20, 15));
    HWND window = form->GetHWND();
    EXPECT_TRUE(InShape(window, 10, 5));
    EXPECT_TRUE(InShape(window, 19, 14));
    EXPECT_FALSE(InShape(window, 9, 5));
    EXPECT_FALSE(InShape(window, 20, 14));
    EXPECT_FALSE(InShape(window, 10, 15));

    const std::wstring path = fixture.Path(L"mask.bmp");
    const ByteVector bmp = BmpWithWhiteRect(30, 30, 0, 0, 5, 5);
    ASSERT_TRUE(WriteWholeFile(path, bmp.data(), static_cast<long>(bmp.size())));
    form->AddMask(path, 100, 50);
    EXPECT_TRUE(InShape(window, 100, 50));
    EXPECT_TRUE(InShape(window, 104, 54));
    EXPECT_FALSE(InShape(window, 10, 5));
    EXPECT_FALSE(InShape(window, 105, 50));
    form->ShowMask(path);
    EXPECT_TRUE(InShape(window, 0, 0));
    EXPECT_FALSE(InShape(window, 100, 50));

    form->HideMask();
    EXPECT_FALSE(HasShape(window));
    // A file that is not a BMP changes nothing.
    const std::wstring notBmp = fixture.Path(L"notbmp.bmp");
    ASSERT_TRUE(WriteWholeFile(notBmp, reinterpret_cast<const unsigned char*>("text"), 4));
    form->ShowMask(notBmp);
    form->ShowMask(fixture.Path(L"missing.bmp"));
    EXPECT_FALSE(HasShape(window));
    delete form;

    // Only masked windows take masks.
    form = fixture.MakeForm(PlainFormSettings());
    form->ShowMask(path);
    EXPECT_FALSE(HasShape(form->GetHWND()));
    delete form;

    // A masked window whose definition has no mask keeps its rectangle.
    form = fixture.MakeForm(settings);
    EXPECT_FALSE(HasShape(form->GetHWND()));
    delete form;
}

HWND ChildOfClass(HWND parent, const wchar_t* className)
{
    return FindWindowExW(parent, nullptr, className, nullptr);
}

TEST(KovaForm, DirectModeHandsThePluginAChildWindowThatFollowsTheClientSize)
{
    FormFixture fixture;
    FormSettings settings = PlainFormSettings();
    settings.direct = true;
    settings.frameKind = 1;
    settings.escapeCloses = true;
    settings.altF4Allowed = false;
    settings.rightButtonMode = 1;
    KovaFormMSW* form = fixture.MakeForm(settings);
    HWND child = ChildOfClass(form->GetHWND(), L"STATIC");
    ASSERT_NE(nullptr, child);
    RECT area;
    GetClientRect(child, &area);
    EXPECT_EQ(320, area.right);
    EXPECT_EQ(240, area.bottom);

    fixture.Mark();
    form->SetClientSize(200, 100);
    GetClientRect(child, &area);
    EXPECT_EQ(200, area.right);
    EXPECT_EQ(100, area.bottom);
    const std::vector<std::string> lines = fixture.Since();
    EXPECT_NE(lines.end(), std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
                  return line.find("NPP_SetWindow type=1 window=set x=0 y=0 width=200 height=100 clip=0,0,0,0") !=
                         std::string::npos;
              })) << "the resized child";
    // Nothing is forwarded in direct mode: the plug-in owns its window.
    SendMessageW(form->GetHWND(), WM_KEYDOWN, 'K', 0x250001);
    EXPECT_FALSE(fixture.ReceivedAny(WM_KEYDOWN));

    // The child applies the form's settings before the plug-in sees a message.
    EXPECT_EQ(1, SendMessageW(child, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)));
    EXPECT_EQ(1, SendMessageW(child, WM_SYSKEYDOWN, VK_F4, kAltDown));
    EXPECT_FALSE(ScheduledForDestruction(form));
    SendMessageW(child, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    EXPECT_TRUE(ScheduledForDestruction(form));
    FinishClosing();
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(nullptr, CommandCentre::Get().FindForm(0));
}

TEST(KovaForm, GoingAwayDestroysTheInstanceAndLeavesOtherFormsRegistered)
{
    FormFixture fixture;
    KovaFormMSW* first = fixture.MakeForm(PlainFormSettings(), PackageSettings(), ByteVector(), 3);
    EXPECT_EQ(first, dynamic_cast<KovaForm*>(CommandCentre::Get().FindForm(3)));
    // A second form under a taken id is refused by the map and must not take
    // the first one out of it when it goes.
    KovaFormMSW* second = fixture.MakeForm(PlainFormSettings(), PackageSettings(), ByteVector(), 3);
    fixture.Mark();
    delete second;
    EXPECT_EQ(first, dynamic_cast<KovaForm*>(CommandCentre::Get().FindForm(3)));
    const std::vector<std::string> lines = fixture.Since();
    EXPECT_NE(lines.end(), std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
                  return line.find("NPP_Destroy") != std::string::npos;
              }));
    delete first;
    EXPECT_EQ(nullptr, CommandCentre::Get().FindForm(3));
}

} // namespace
