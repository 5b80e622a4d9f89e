// Direct3D full screen on real windows. Runs inside a Wine virtual desktop of
// 1024 x 768 (scripts/wine-desktop-run.sh): only there does Wine switch
// display modes.
#include "commandcalls.h"
#include "direct3dscreen.h"
#include "messagepumping.h"
#include "modesizes.h"
#include "nxadx9.h"
#include "scopedcommandcentre.h"
#include "testtopwindow.h"
#include "windowscreenform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>

namespace {

struct Display {
    DWORD width;
    DWORD height;
    DWORD bitsPerPixel;
    bool operator==(const Display& other) const
    {
        return width == other.width && height == other.height && bitsPerPixel == other.bitsPerPixel;
    }
};

Display CurrentDisplay()
{
    DEVMODEW mode = {};
    mode.dmSize = sizeof(mode);
    ::EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return {mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel};
}

::std::ostream& operator<<(::std::ostream& out, const Display& display)
{
    return out << display.width << "x" << display.height << "x" << display.bitsPerPixel;
}

struct WindowPlace {
    LONG style;
    RECT rect;
};

WindowPlace PlaceOf(HWND window)
{
    WindowPlace place = {::GetWindowLongW(window, GWL_STYLE), {}};
    ::GetWindowRect(window, &place.rect);
    return place;
}

void ExpectSamePlace(const WindowPlace& actual, const WindowPlace& expected)
{
    EXPECT_EQ(actual.style, expected.style);
    EXPECT_EQ(actual.rect.left, expected.rect.left);
    EXPECT_EQ(actual.rect.top, expected.rect.top);
    EXPECT_EQ(actual.rect.right, expected.rect.right);
    EXPECT_EQ(actual.rect.bottom, expected.rect.bottom);
}

const Display kDesktop = {1024, 768, 32};

class FullScreenTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CurrentDisplay(), kDesktop) << "not inside the 1024 x 768 virtual desktop"; }
    void TearDown() override { EXPECT_EQ(CurrentDisplay(), kDesktop) << "the display was not given back"; }

    TestTopWindow m_window;
};

} // namespace

TEST_F(FullScreenTest, EnterSwitchesModeAndDropsFrameLeaveRestoresBoth)
{
    const WindowPlace before = PlaceOf(m_window.Handle());
    Direct3DScreen screen;
    ASSERT_TRUE(screen.Enter(m_window.Handle(), 640, 480));
    EXPECT_TRUE(screen.IsOn());
    EXPECT_EQ(CurrentDisplay(), (Display{640, 480, 32}));
    const LONG style = ::GetWindowLongW(m_window.Handle(), GWL_STYLE);
    // Direct3D itself adds a system menu to the device window; no caption, no frame.
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_NE(style & WS_VISIBLE, 0);

    screen.Leave();
    EXPECT_FALSE(screen.IsOn());
    EXPECT_EQ(CurrentDisplay(), kDesktop);
    ExpectSamePlace(PlaceOf(m_window.Handle()), before);
}

TEST_F(FullScreenTest, MinusOneKeepsTheDesktopMode)
{
    Direct3DScreen screen;
    ASSERT_TRUE(screen.Enter(m_window.Handle(), -1, -1));
    EXPECT_EQ(CurrentDisplay(), kDesktop);
}

TEST_F(FullScreenTest, EnteringAgainKeepsTheFirstDevice)
{
    Direct3DScreen screen;
    ASSERT_TRUE(screen.Enter(m_window.Handle(), 640, 480));
    EXPECT_TRUE(screen.Enter(m_window.Handle(), 800, 600));
    EXPECT_EQ(CurrentDisplay(), (Display{640, 480, 32}));
}

TEST_F(FullScreenTest, FailedStartRestoresTheWindow)
{
    const WindowPlace before = PlaceOf(m_window.Handle());
    const struct {
        int32_t width;
        int32_t height;
    } refused[] = {{-1, 480}, {0, 0}, {-5, -5}};
    for (const auto& size : refused) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        Direct3DScreen screen;
        EXPECT_FALSE(screen.Enter(m_window.Handle(), size.width, size.height));
        EXPECT_FALSE(screen.IsOn());
        ExpectSamePlace(PlaceOf(m_window.Handle()), before);
        EXPECT_EQ(CurrentDisplay(), kDesktop);
    }
}

TEST_F(FullScreenTest, LeaveWhenOffAndDestructionWhenOn)
{
    const WindowPlace before = PlaceOf(m_window.Handle());
    {
        Direct3DScreen idle;
        idle.Leave();
        ExpectSamePlace(PlaceOf(m_window.Handle()), before);
    }
    {
        Direct3DScreen screen;
        ASSERT_TRUE(screen.Enter(m_window.Handle(), 640, 480));
    }
    EXPECT_EQ(CurrentDisplay(), kDesktop);
    ExpectSamePlace(PlaceOf(m_window.Handle()), before);
}

TEST_F(FullScreenTest, FrameIsClearedToRedAndPaintedThroughABackBufferDC)
{
    Direct3DScreen screen;
    int paints = 0;
    const Direct3DScreen::FramePainter painter = [&](HDC dc, int32_t width, int32_t height) {
        ++paints;
        RECT client = {};
        ::GetClientRect(m_window.Handle(), &client);
        EXPECT_EQ(width, client.right);
        EXPECT_EQ(height, client.bottom);
        EXPECT_EQ(::GetPixel(dc, 3, 3), RGB(255, 0, 0));
        // What the painter draws lands in the back buffer.
        const RECT square = {10, 10, 20, 20};
        ::FillRect(dc, &square, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        EXPECT_EQ(::GetPixel(dc, 15, 15), RGB(255, 255, 255));
    };

    screen.PaintFrame(painter);
    EXPECT_EQ(paints, 0) << "painted without full screen";

    ASSERT_TRUE(screen.Enter(m_window.Handle(), 640, 480));
    screen.PaintFrame(painter);
    screen.PaintFrame(painter); // the next frame starts red again
    EXPECT_EQ(paints, 2);

    screen.Leave();
    screen.PaintFrame(painter);
    EXPECT_EQ(paints, 2);
}

TEST_F(FullScreenTest, LostDeviceIsResetByTheFirstFrameThatCan)
{
    Direct3DScreen screen;
    ASSERT_TRUE(screen.Enter(m_window.Handle(), 640, 480));
    int paints = 0;
    const Direct3DScreen::FramePainter painter = [&](HDC, int32_t, int32_t) { ++paints; };

    // Another application takes over: the device is lost and the desktop
    // mode comes back until the device is reset.
    ::SendMessageW(m_window.Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(CurrentDisplay(), kDesktop);
    screen.PaintFrame(painter); // cannot be reset yet
    EXPECT_EQ(CurrentDisplay(), kDesktop);

    ::SendMessageW(m_window.Handle(), WM_ACTIVATEAPP, TRUE, 0);
    const int paintsBefore = paints;
    screen.PaintFrame(painter);
    EXPECT_EQ(CurrentDisplay(), (Display{640, 480, 32}));
    EXPECT_EQ(paints, paintsBefore + 1);
}

TEST_F(FullScreenTest, AdapterModesAreX8R8G8B8AndIncludeTheDesktop)
{
    const std::vector<DisplayMode> modes = Direct3DScreen::EnumerateDisplayModes();
    ASSERT_FALSE(modes.empty());
    for (const DisplayMode& mode : modes)
        EXPECT_EQ(mode.format, D3DFMT_X8R8G8B8);
    const auto sizes = DistinctModeSizes(modes);
    for (const auto& size : {std::make_pair(640, 480), std::make_pair(1024, 768)})
        EXPECT_NE(std::find(sizes.begin(), sizes.end(), size), sizes.end()) << size.first << "x" << size.second;
}

// The whole road: movie calls, the module, form 0, the device.
class FullScreenCommandsTest : public FullScreenTest {
protected:
    ScopedCommandCentre m_centre{{&nxaDX9::Frame::Descriptor()}};
    WindowScreenForm m_form0{0};
};

TEST_F(FullScreenCommandsTest, EnableAndDisableSwitchForm0)
{
    const WindowPlace before = PlaceOf(m_form0.Window());
    EXPECT_EQ(CallCommandSync("nxa.DX9.enable", "0, 640, 480", 0), "true");
    EXPECT_EQ(CurrentDisplay(), (Display{640, 480, 32}));
    EXPECT_EQ(CallCommandSync("nxa.DX9.enable", "0, 640, 480", 0), "true");

    WindowScreenForm form1(1);
    EXPECT_EQ(CallCommandSync("nxa.DX9.enable", "0, 640, 480", 1), "false");
    EXPECT_EQ(CallCommandSync("nxa.DX9.disable", "0", 1), "0");
    EXPECT_FALSE(form1.FullScreenOn());
    EXPECT_TRUE(m_form0.FullScreenOn());

    EXPECT_EQ(CallCommandSync("nxa.DX9.disable", "0", 0), "0");
    EXPECT_EQ(CurrentDisplay(), kDesktop);
    ExpectSamePlace(PlaceOf(m_form0.Window()), before);
}

TEST_F(FullScreenCommandsTest, QueuedEnableMakesTheDeviceOnTheMainThread)
{
    CallCommandAsync("nxa.DX9.enable", "0, 800, 600", 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_form0.FullScreenOn(); }));
    EXPECT_EQ(CurrentDisplay(), (Display{800, 600, 32}));
    CallCommandAsync("nxa.DX9.disable", "0", 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !m_form0.FullScreenOn(); }));
    for (const std::thread::id thread : m_form0.OperationThreads())
        EXPECT_EQ(thread, std::this_thread::get_id());
}

TEST_F(FullScreenCommandsTest, EnumerateModesListsTheAdapterSizesOnce)
{
    const auto sizes = DistinctModeSizes(Direct3DScreen::EnumerateDisplayModes());
    ASSERT_FALSE(sizes.empty());
    std::string expected;
    for (const auto& size : sizes) {
        expected += expected.empty() ? "[ [ " : ", [ ";
        expected += std::to_string(size.first) + ", " + std::to_string(size.second) + " ]";
    }
    expected += " ]";
    EXPECT_EQ(CallCommandSync("nxa.DX9.enumerateModes", "0", 0), expected);
}
