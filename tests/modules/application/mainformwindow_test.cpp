#include "mainformwindow.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/msw/wrapwin.h>

namespace {

// A shown frame of the given window id, destroyed at the end of the test.
class ShownFrame {
public:
    explicit ShownFrame(int id) : frame(new wxFrame(nullptr, id, "main", wxDefaultPosition, wxSize(200, 150)))
    {
        frame->Show();
    }
    ~ShownFrame() { frame->Destroy(); }

    wxFrame* frame;
};

bool IsTopMost(wxFrame& frame)
{
    return (::GetWindowLongW(static_cast<HWND>(frame.GetHWND()), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST(MainFormWindow, StayOnTopIsSetAndClearedOnTheWindow)
{
    ShownFrame shown(0);
    SetMainFormStaysOnTop(*shown.frame, true);
    EXPECT_TRUE(shown.frame->HasFlag(wxSTAY_ON_TOP));
    EXPECT_TRUE(IsTopMost(*shown.frame));
    SetMainFormStaysOnTop(*shown.frame, false);
    EXPECT_FALSE(shown.frame->HasFlag(wxSTAY_ON_TOP));
    EXPECT_FALSE(IsTopMost(*shown.frame));
    EXPECT_TRUE(shown.frame->HasFlag(wxCAPTION)) << "other style bits stay";
}

TEST(MainFormWindow, RestoreDeiconizesOrUnmaximizes)
{
    ShownFrame shown(0);
    shown.frame->Maximize(true);
    RestoreMainForm(*shown.frame);
    EXPECT_FALSE(shown.frame->IsMaximized());
    MinimizeMainForm(*shown.frame, false);
    EXPECT_TRUE(shown.frame->IsIconized());
    EXPECT_TRUE(shown.frame->IsShown());
    RestoreMainForm(*shown.frame);
    EXPECT_FALSE(shown.frame->IsIconized());
}

TEST(MainFormWindow, MinimizeToTrayHidesOnlyFormZero)
{
    ShownFrame main(0);
    MinimizeMainForm(*main.frame, true);
    EXPECT_TRUE(main.frame->IsIconized());
    EXPECT_FALSE(main.frame->IsShown());
    RestoreMainForm(*main.frame);
    EXPECT_FALSE(main.frame->IsShown()) << "restore does not show it again";

    ShownFrame other(1);
    MinimizeMainForm(*other.frame, true);
    EXPECT_TRUE(other.frame->IsShown());
}

} // namespace
