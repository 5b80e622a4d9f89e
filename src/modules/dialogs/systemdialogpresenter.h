#pragma once

#include "dialogpresenter.h"

// The system's dialogs through the toolkit; the open-file dialog through
// OpenFileDialog, which can change the OK button's label.
class SystemDialogPresenter : public DialogPresenter {
public:
    wxString AskText(const wxString& message, const wxString& caption, const wxString& defaultText) override;
    int ShowMessage(const MessageBoxRequest& request) override;
    std::vector<wxString> ChooseFilesToOpen(const OpenFileSettings& settings) override;
    wxString ChooseFileToSave(const wxString& message, const wxString& wildcard, long style) override;
    wxString ChooseFolder(const wxString& message, const wxString& defaultPath, long style) override;
};
