#pragma once

#include "openfilesettings.h"

#include <wx/string.h>

#include <memory>
#include <vector>

// A message box as the module asks for it: toolkit style bits, and the labels
// of the Yes and No buttons when they are replaced.
struct MessageBoxRequest {
    wxString message;
    wxString caption;
    long style = 0;
    wxString yesLabel; // empty: the buttons keep their own labels
    wxString noLabel;
};

// Shows the module's dialogs, one operation per kind, each with the settings
// the module chose. Every operation runs on the main thread, is modal and has
// no parent window. The real presenter shows the system's dialogs; tests put
// their own in place with SetDialogPresenter.
class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;

    // The text entered with OK; empty text for Cancel.
    virtual wxString AskText(const wxString& message, const wxString& caption, const wxString& defaultText) = 0;
    // The toolkit id of the chosen button (wxID_OK, wxID_YES, ...).
    virtual int ShowMessage(const MessageBoxRequest& request) = 0;
    // The chosen files in the order the dialog gives them; none for Cancel.
    virtual std::vector<wxString> ChooseFilesToOpen(const OpenFileSettings& settings) = 0;
    // The chosen file; empty text for Cancel.
    virtual wxString ChooseFileToSave(const wxString& message, const wxString& wildcard, long style) = 0;
    // The chosen folder; empty text for Cancel.
    virtual wxString ChooseFolder(const wxString& message, const wxString& defaultPath, long style) = 0;
};

// The presenter in use: the system's unless a test set another.
std::shared_ptr<DialogPresenter> CurrentDialogPresenter();
// Test seam: null restores the system's presenter.
void SetDialogPresenter(std::shared_ptr<DialogPresenter> presenter);
