#include "formwindowstyle.h"

#include <wx/frame.h>

void FormWindowStyle::ShowCaption(bool shown)
{
    SetFlag(wxCAPTION, shown);
}

void FormWindowStyle::ShowMaximizeBox(bool shown)
{
    SetFlag(wxMAXIMIZE_BOX, shown);
}

void FormWindowStyle::ShowMinimizeBox(bool shown)
{
    SetFlag(wxMINIMIZE_BOX, shown);
}

void FormWindowStyle::EnableClose(bool enabled)
{
    m_frame.EnableCloseButton(enabled);
}

void FormWindowStyle::SetFlag(long flag, bool on)
{
    const long style = m_frame.GetWindowStyleFlag();
    m_frame.SetWindowStyleFlag(on ? style | flag : style & ~flag);
}
