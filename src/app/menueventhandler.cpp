#include "menueventhandler.h"

#include "commandcentre.h"
#include "kovaform.h"

wxBEGIN_EVENT_TABLE(MenuEventHandler, wxEvtHandler)
    EVT_MENU(wxID_ANY, MenuEventHandler::OnMenu)
wxEND_EVENT_TABLE()

void MenuEventHandler::OnMenu(wxCommandEvent& event)
{
    // The menu event ends here, with or without a form.
    auto* form = dynamic_cast<KovaForm*>(CommandCentre::Get().FindForm(m_formId));
    if (form)
        form->OnMenuCommand(event.GetId());
}
