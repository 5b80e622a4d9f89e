// The status bar operations on a plain frame: they act on a bar the frame
// has and never make one.

#include "formstatusbar.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/msw/wrapwin.h>
#include <wx/statusbr.h>

#include <commctrl.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<wxFrame> FrameForStatusBar()
{
    return std::make_unique<wxFrame>(nullptr, wxID_ANY, "status", wxPoint(40, 40), wxSize(240, 160));
}

std::wstring FieldText(wxStatusBar& bar, int field)
{
    wchar_t text[64] = {};
    const LRESULT length = SendMessageW(static_cast<HWND>(bar.GetHWND()), SB_GETTEXTLENGTHW, field, 0);
    if (LOWORD(length) >= 64)
        return L"<too long>";
    SendMessageW(static_cast<HWND>(bar.GetHWND()), SB_GETTEXTW, field, reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(FormStatusBar, AFrameWithoutABarGetsNone)
{
    std::unique_ptr<wxFrame> frame = FrameForStatusBar();
    FormStatusBar bar(*frame);
    bar.SetText("x");
    bar.Hide();
    EXPECT_EQ(nullptr, frame->GetStatusBar());
    EXPECT_EQ(nullptr, FindWindowExW(static_cast<HWND>(frame->GetHWND()), nullptr, STATUSCLASSNAMEW, nullptr));
}

TEST(FormStatusBar, TextGoesToTheFirstFieldAndHidingGivesTheRoomBack)
{
    std::unique_ptr<wxFrame> frame = FrameForStatusBar();
    wxStatusBar* native = frame->CreateStatusBar(2);
    native->SetStatusText("second", 1);
    const int clientWithBar = frame->GetClientSize().y;
    FormStatusBar bar(*frame);
    bar.SetText(wxString::FromUTF8("\xC3\xA9t\xC3\xA9"));
    EXPECT_EQ(L"\u00e9t\u00e9", FieldText(*native, 0));
    EXPECT_EQ(L"second", FieldText(*native, 1));
    bar.Hide();
    EXPECT_EQ(0, GetWindowLongW(static_cast<HWND>(native->GetHWND()), GWL_STYLE) & WS_VISIBLE);
    EXPECT_GT(frame->GetClientSize().y, clientWithBar);
    bar.Hide(); // twice is harmless
    EXPECT_EQ(native, frame->GetStatusBar());
}

} // namespace
