#pragma once

#include <wx/string.h>

class MenuItemIds;
class wxMenu;
class wxMenuBar;

// The top-level menus (headers) of a form's menu bar, found by title: the
// first match.
class MenuBarHeaders {
public:
    explicit MenuBarHeaders(wxMenuBar& bar) : m_bar(bar) {}

    // The menu of the first header with the title; null when none has it.
    wxMenu* Find(const wxString& title) const;
    // Appends a new empty menu with the title, even when a header has the
    // title already. A bar takes no header without a title.
    void Insert(const wxString& title);
    // Takes the first header with the title off the bar and destroys its
    // menu, releasing its items' ids; false when none has the title.
    bool Remove(const wxString& title, MenuItemIds& ids);

private:
    wxMenuBar& m_bar;
};
