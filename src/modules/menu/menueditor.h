#pragma once

#include <wx/string.h>

class MenuItemIds;
class wxMenu;
class wxMenuItem;

// Edits one toolkit menu (a form's context menu, a header of its menu bar or
// the tray icon's item list) the way the Menu commands do. Items are found by
// label, the first match; new items are normal items whose ids come from the
// sequence. A check mark is set on the native menu only: the item stays a
// normal item for the toolkit, which reads the mark back from there.
class MenuEditor {
public:
    MenuEditor(wxMenu& menu, MenuItemIds& ids) : m_menu(menu), m_ids(ids) {}

    // Appends a normal item with the next id; false when no id is left.
    bool InsertItem(const wxString& label);
    void InsertDivider();
    // These answer false when no item has the label.
    bool SetChecked(const wxString& label, bool checked);
    bool SetEnabled(const wxString& label, bool enabled);
    // Takes the item out of its menu, destroys it and releases its id.
    bool RemoveItem(const wxString& label);

    // Releases the ids of every item of a menu that is going away.
    static void ReleaseIds(const wxMenu& menu, MenuItemIds& ids);

private:
    // The first item with the label and the menu that holds it; null when none.
    wxMenuItem* Find(const wxString& label, wxMenu*& holder) const;

    wxMenu& m_menu;
    MenuItemIds& m_ids;
};
