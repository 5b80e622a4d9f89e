#pragma once

#include "balloonrequest.h"

#include <wx/icon.h>
#include <wx/taskbar.h>

#include <functional>
#include <memory>
#include <string>

class wxMenu;

// The application's icon in the notification area. Its pop-up menu is built
// from m_items, which the tray commands edit, each time the user clicks it.
class KovaTaskBarIcon : public wxTaskBarIcon {
public:
    KovaTaskBarIcon();
    ~KovaTaskBarIcon() override;

    // Shows the image file as the icon, with the last tooltip set; a file
    // that does not read as an image changes nothing.
    void SetIconFromFile(const wxString& path);
    // Puts the icon in the notification area (or updates it there) with the
    // image last set from a file and the stored tooltip; before any file the
    // image the icon shows or showed last stays.
    bool ShowStoredIcon();
    // Pops up a balloon on the shown icon; false when the icon is hidden or
    // the system refused it.
    bool ShowBalloon(const wxString& kind, const wxString& text, const wxString& title, int timeoutMs);

    wxMenu& Items() { return *m_items; }
    const wxString& Tooltip() const { return m_tooltip; }
    void SetTooltip(const wxString& tooltip) { m_tooltip = tooltip; }
    // The hidden window that receives the notification-area messages; null
    // before the icon was first set.
    WXHWND IconWindow() const;

    // Receives the clicks on the pop-up menu's items: the event name
    // ("onTrayMenuClick") and the payload {"name": label}. The Menu module
    // sets it to its tray broadcaster; without one the clicks go nowhere.
    // Main thread.
    using MenuClickReceiver = std::function<void(const std::string& eventName, const std::string& payload)>;
    static void SetMenuClickReceiver(MenuClickReceiver receiver);
    // Test seam: replaces the system call that modifies the icon with a
    // balloon request; answers whether it was accepted. An empty function
    // restores the system call.
    using BalloonSender = std::function<bool(const NOTIFYICONDATAW& request)>;
    static void SetBalloonSender(BalloonSender sender);

protected:
    wxMenu* CreatePopupMenu() override;

private:
    void OnMenuClick(wxCommandEvent& event);

    wxIcon m_icon;
    wxString m_tooltip;
    std::unique_ptr<wxMenu> m_items;

    wxDECLARE_EVENT_TABLE();
};
