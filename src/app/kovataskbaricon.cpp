#include "kovataskbaricon.h"

#include "formeventpayloads.h"

#include <wx/frame.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/menu.h>

namespace {

KovaTaskBarIcon::MenuClickReceiver& TrayMenuClickReceiverSlot()
{
    static KovaTaskBarIcon::MenuClickReceiver receiver;
    return receiver;
}

KovaTaskBarIcon::BalloonSender& BalloonSenderSlot()
{
    static KovaTaskBarIcon::BalloonSender sender;
    return sender;
}

} // namespace

wxBEGIN_EVENT_TABLE(KovaTaskBarIcon, wxTaskBarIcon)
    EVT_MENU(wxID_ANY, KovaTaskBarIcon::OnMenuClick)
wxEND_EVENT_TABLE()

KovaTaskBarIcon::KovaTaskBarIcon() : m_items(std::make_unique<wxMenu>()) {}

KovaTaskBarIcon::~KovaTaskBarIcon()
{
    RemoveIcon();
}

void KovaTaskBarIcon::SetMenuClickReceiver(MenuClickReceiver receiver)
{
    TrayMenuClickReceiverSlot() = std::move(receiver);
}

void KovaTaskBarIcon::SetBalloonSender(BalloonSender sender)
{
    BalloonSenderSlot() = std::move(sender);
}

WXHWND KovaTaskBarIcon::IconWindow() const
{
    // The toolkit's hidden icon window is a plain frame subclass that its
    // header leaves incomplete; its native window receives the icon messages.
    const auto* iconWindow = reinterpret_cast<const wxFrame*>(m_win);
    return iconWindow ? iconWindow->GetHWND() : nullptr;
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

bool KovaTaskBarIcon::ShowStoredIcon()
{
    // Before any file the toolkit's own copy holds the image start-up gave,
    // so a hidden icon comes back with it rather than blank.
    const wxBitmapBundle image = m_icon.IsOk() ? wxBitmapBundle(m_icon) : wxTaskBarIcon::m_icon;
    return SetIcon(image, m_tooltip);
}

bool KovaTaskBarIcon::ShowBalloon(const wxString& kind, const wxString& text, const wxString& title,
                                  int timeoutMs)
{
    if (!IsIconInstalled())
        return false;
    NOTIFYICONDATAW request = BuildBalloonRequest(static_cast<HWND>(IconWindow()), kind.ToStdWstring(),
                                                  text.ToStdWstring(), title.ToStdWstring(),
                                                  static_cast<UINT>(timeoutMs));
    if (BalloonSenderSlot())
        return BalloonSenderSlot()(request);
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
            // The tray commands mark normal items natively; an attached item
            // reads its native mark, so both kinds keep what the movie set.
            copy->Check(item->IsChecked());
            copy->Enable(item->IsEnabled());
        }
    }
    return menu;
}

void KovaTaskBarIcon::OnMenuClick(wxCommandEvent& event)
{
    // An item removed while the pop-up was open is no longer in m_items.
    const wxMenuItem* item = m_items->FindItem(event.GetId());
    if (item && TrayMenuClickReceiverSlot())
        TrayMenuClickReceiverSlot()("onTrayMenuClick", MenuClickPayload(item->GetItemLabelText()));
}
