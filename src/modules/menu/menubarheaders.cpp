#include "menubarheaders.h"

#include "menueditor.h"

#include <wx/menu.h>

wxMenu* MenuBarHeaders::Find(const wxString& title) const
{
    const int index = m_bar.FindMenu(title);
    return index == wxNOT_FOUND ? nullptr : m_bar.GetMenu(static_cast<size_t>(index));
}

void MenuBarHeaders::Insert(const wxString& title)
{
    if (title.empty())
        return;
    m_bar.Append(new wxMenu, title);
}

bool MenuBarHeaders::Remove(const wxString& title, MenuItemIds& ids)
{
    const int index = m_bar.FindMenu(title);
    if (index == wxNOT_FOUND)
        return false;
    wxMenu* menu = m_bar.Remove(static_cast<size_t>(index));
    if (menu) {
        MenuEditor::ReleaseIds(*menu, ids);
        delete menu;
    }
    return true;
}
