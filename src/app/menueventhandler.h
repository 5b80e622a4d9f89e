#pragma once

#include <wx/event.h>

#include <cstdint>

// Pushed on a form so that every menu command of the form (its menu bar and
// its pop-up menus) reaches it first. It finds the form by its id, so a
// command that arrives while the form is going away does nothing.
class MenuEventHandler : public wxEvtHandler {
public:
    explicit MenuEventHandler(int32_t formId) : m_formId(formId) {}

private:
    void OnMenu(wxCommandEvent& event);

    int32_t m_formId;

    wxDECLARE_EVENT_TABLE();
};
