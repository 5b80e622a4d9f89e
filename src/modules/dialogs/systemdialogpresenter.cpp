#include "systemdialogpresenter.h"

#include "openfiledialog.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/textdlg.h>

wxString SystemDialogPresenter::AskText(const wxString& message, const wxString& caption, const wxString& defaultText)
{
    return wxGetTextFromUser(message, caption, defaultText, nullptr, wxDefaultCoord, wxDefaultCoord, true);
}

int SystemDialogPresenter::ShowMessage(const MessageBoxRequest& request)
{
    wxMessageDialog dialog(nullptr, request.message, request.caption, request.style);
    if (!request.yesLabel.empty())
        dialog.SetYesNoLabels(request.yesLabel, request.noLabel);
    return dialog.ShowModal();
}

std::vector<wxString> SystemDialogPresenter::ChooseFilesToOpen(const OpenFileSettings& settings)
{
    return OpenFileDialog(settings).Show();
}

wxString SystemDialogPresenter::ChooseFileToSave(const wxString& message, const wxString& wildcard, long style)
{
    wxFileDialog dialog(nullptr, message, wxString(), wxString(), wildcard, style);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

wxString SystemDialogPresenter::ChooseFolder(const wxString& message, const wxString& defaultPath, long style)
{
    wxDirDialog dialog(nullptr, message, defaultPath, style);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}
