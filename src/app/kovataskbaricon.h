#pragma once

#include <wx/icon.h>
#include <wx/taskbar.h>

#include <memory>

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
    // Pops up a balloon on the shown icon; false when the icon is hidden or
    // the system refused it.
    bool ShowBalloon(const wxString& kind, const wxString& text, const wxString& title, int timeoutMs);

    wxMenu& Items() { return *m_items; }
    void SetTooltip(const wxString& tooltip) { m_tooltip = tooltip; }

protected:
    wxMenu* CreatePopupMenu() override;

private:
    wxIcon m_icon;
    wxString m_tooltip;
    std::unique_ptr<wxMenu> m_items;
};
