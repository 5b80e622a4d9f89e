#include "kovataskbaricon.h"

#include "balloonrequest.h"

#include <wx/frame.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/menu.h>

KovaTaskBarIcon::KovaTaskBarIcon() : m_items(std::make_unique<wxMenu>()) {}

KovaTaskBarIcon::~KovaTaskBarIcon()
{
    RemoveIcon();
}

void KovaTaskBarIcon::SetIconFromFile(const wxString& path)
{
    wxImage image;
    {
        wxLogNull quiet; // an unreadable file leaves the icon as it was, without a box
        if (!image.LoadFile(path, wxBITMAP_TYPE_ANY))
            return;
    }
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(image));
    if (!icon.IsOk())
        return;
    m_icon = icon;
    RemoveIcon();
    SetIcon(m_icon, m_tooltip);
}

bool KovaTaskBarIcon::ShowBalloon(const wxString& kind, const wxString& text, const wxString& title,
                                  int timeoutMs)
{
    if (!IsIconInstalled())
        return false;
    // The toolkit's hidden icon window is a plain frame subclass that its
    // header leaves incomplete; its native window receives the icon messages.
    const auto* iconWindow = reinterpret_cast<const wxFrame*>(m_win);
    NOTIFYICONDATAW request = BuildBalloonRequest(static_cast<HWND>(iconWindow->GetHWND()), kind.ToStdWstring(),
                                                  text.ToStdWstring(), title.ToStdWstring(),
                                                  static_cast<UINT>(timeoutMs));
    return Shell_NotifyIconW(NIM_MODIFY, &request) != FALSE;
}

wxMenu* KovaTaskBarIcon::CreatePopupMenu()
{
    auto* menu = new wxMenu;
    for (const wxMenuItem* item : m_items->GetMenuItems()) {
        if (item->IsSeparator()) {
            menu->AppendSeparator();
        } else if (item->GetKind() == wxITEM_NORMAL || item->GetKind() == wxITEM_CHECK) {
            wxMenuItem* copy = menu->AppendCheckItem(item->GetId(), item->GetItemLabel());
            if (item->GetKind() == wxITEM_CHECK)
                copy->Check(item->IsChecked());
            copy->Enable(item->IsEnabled());
        }
    }
    return menu;
}
