// The caption switches on a plain frame: each changes its own bit of the
// window style and leaves the others, and the close switch greys the system
// menu's close command.

#include "formwindowstyle.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/msw/wrapwin.h>

#include <memory>

namespace {

struct StyleSwitch {
    const char* name;
    void (FormWindowStyle::*change)(bool);
    LONG bits;
};

const StyleSwitch kSwitches[] = {
    {"caption", &FormWindowStyle::ShowCaption, WS_CAPTION},
    {"maximize box", &FormWindowStyle::ShowMaximizeBox, WS_MAXIMIZEBOX},
    {"minimize box", &FormWindowStyle::ShowMinimizeBox, WS_MINIMIZEBOX},
};

LONG StyleOf(const wxFrame& frame)
{
    return GetWindowLongW(static_cast<HWND>(frame.GetHWND()), GWL_STYLE);
}

bool CloseGreyed(const wxFrame& frame)
{
    HMENU menu = GetSystemMenu(static_cast<HWND>(frame.GetHWND()), FALSE);
    return (GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

std::unique_ptr<wxFrame> PlainFrame()
{
    return std::make_unique<wxFrame>(nullptr, wxID_ANY, "style", wxPoint(40, 40), wxSize(240, 160),
                                     wxDEFAULT_FRAME_STYLE);
}

TEST(FormWindowStyle, EachSwitchChangesItsOwnBitsOnly)
{
    for (const StyleSwitch& tested : kSwitches) {
        SCOPED_TRACE(tested.name);
        std::unique_ptr<wxFrame> frame = PlainFrame();
        FormWindowStyle style(*frame);
        const LONG before = StyleOf(*frame);
        ASSERT_EQ(tested.bits, before & tested.bits);
        (style.*tested.change)(false);
        EXPECT_NE(tested.bits, StyleOf(*frame) & tested.bits);
        for (const StyleSwitch& other : kSwitches) {
            if (&other != &tested)
                EXPECT_EQ(other.bits, StyleOf(*frame) & other.bits) << "also changed: " << other.name;
        }
        (style.*tested.change)(true);
        EXPECT_EQ(tested.bits, StyleOf(*frame) & tested.bits);
    }
}

TEST(FormWindowStyle, CloseSwitchGreysAndEnablesTheSystemMenuCommand)
{
    std::unique_ptr<wxFrame> frame = PlainFrame();
    FormWindowStyle style(*frame);
    ASSERT_FALSE(CloseGreyed(*frame));
    style.EnableClose(false);
    EXPECT_TRUE(CloseGreyed(*frame));
    style.EnableClose(false);
    EXPECT_TRUE(CloseGreyed(*frame));
    style.EnableClose(true);
    EXPECT_FALSE(CloseGreyed(*frame));
}

} // namespace
