#include "startupprompts.h"

#include <wx/msgdlg.h>
#include <wx/textdlg.h>

wxString StartUpPrompts::AskPassword(const wxString& appName)
{
    return wxGetPasswordFromUser(wxS("Please enter password to continue!"), appName, wxEmptyString,
                                 nullptr, wxDefaultCoord, wxDefaultCoord, true);
}

void StartUpPrompts::ReportWrongPassword(const wxString& appName)
{
    wxMessageBox(wxS("Password is incorrect!"), appName, wxOK | wxICON_WARNING | wxCENTRE, nullptr);
}

void StartUpPrompts::ReportTrayIconFailure()
{
    wxMessageBox(wxS("Couldn't set the taskbar icon!"), wxS("Message"), wxOK | wxCENTRE, nullptr);
}
