#include "mainformwindow.h"

#include <wx/frame.h>
#include <wx/msw/wrapwin.h>

void MinimizeMainForm(wxFrame& frame, bool toTray)
{
    frame.Iconize(true);
    if (toTray && frame.GetId() == 0)
        frame.Hide();
}

void RestoreMainForm(wxFrame& frame)
{
    if (frame.IsIconized())
        frame.Iconize(false);
    else
        frame.Maximize(false);
}

void SetMainFormStaysOnTop(wxFrame& frame, bool stayOnTop)
{
    const long style = frame.GetWindowStyleFlag();
    frame.SetWindowStyleFlag(stayOnTop ? style | wxSTAY_ON_TOP : style & ~wxSTAY_ON_TOP);
}

void BringMainFormToFront(wxFrame& frame)
{
    ::SetForegroundWindow(static_cast<HWND>(frame.GetHWND()));
}

void SendMainFormToBack(wxFrame& frame)
{
    ::SetWindowPos(static_cast<HWND>(frame.GetHWND()), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
