#include "menueditor.h"

#include "menuitemids.h"

#include <wx/menu.h>
#include <wx/msw/wrapwin.h>

bool MenuEditor::InsertItem(const wxString& label)
{
    const int32_t id = m_ids.Take();
    if (id == MenuItemIds::kNoId)
        return false;
    m_menu.Append(id, label, wxEmptyString, wxITEM_NORMAL);
    return true;
}

void MenuEditor::InsertDivider()
{
    m_menu.AppendSeparator();
}

bool MenuEditor::SetChecked(const wxString& label, bool checked)
{
    wxMenu* holder = nullptr;
    wxMenuItem* item = Find(label, holder);
    if (!item)
        return false;
    CheckMenuItem(static_cast<HMENU>(holder->GetHMenu()), static_cast<UINT>(item->GetId()),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    return true;
}

bool MenuEditor::SetEnabled(const wxString& label, bool enabled)
{
    wxMenu* holder = nullptr;
    wxMenuItem* item = Find(label, holder);
    if (!item)
        return false;
    item->Enable(enabled);
    return true;
}

bool MenuEditor::RemoveItem(const wxString& label)
{
    wxMenu* holder = nullptr;
    wxMenuItem* item = Find(label, holder);
    if (!item)
        return false;
    const int id = item->GetId();
    delete holder->Remove(item);
    m_ids.Release(id);
    return true;
}

void MenuEditor::ReleaseIds(const wxMenu& menu, MenuItemIds& ids)
{
    for (const wxMenuItem* item : menu.GetMenuItems()) {
        if (item->IsSubMenu())
            ReleaseIds(*item->GetSubMenu(), ids);
        else if (!item->IsSeparator())
            ids.Release(item->GetId());
    }
}

wxMenuItem* MenuEditor::Find(const wxString& label, wxMenu*& holder) const
{
    const int id = m_menu.FindItem(label);
    if (id == wxNOT_FOUND)
        return nullptr;
    return m_menu.FindItem(id, &holder);
}
