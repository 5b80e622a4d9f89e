#include "formstatusbar.h"

#include <wx/frame.h>
#include <wx/statusbr.h>

void FormStatusBar::Hide()
{
    wxStatusBar* bar = m_frame.GetStatusBar();
    if (!bar || !bar->IsShown())
        return;
    bar->Hide();
    m_frame.SendSizeEvent();
}

void FormStatusBar::SetText(const wxString& text)
{
    if (wxStatusBar* bar = m_frame.GetStatusBar())
        bar->SetStatusText(text, 0);
}
