#pragma once

#include "dialogpresenter.h"

#include <memory>
#include <string>
#include <vector>

// A presenter that shows nothing: it records each dialog the module asked for
// and gives the answers the test set.
class RecordingPresenter : public DialogPresenter {
public:
    struct Shown {
        std::string kind; // "text", "message", "open", "save", "folder"
        wxString message;
        wxString caption;
        wxString defaultText; // the input box's text, the wildcard, the folder
        long style = 0;
        wxString yesLabel;
        wxString noLabel;
        OpenFileSettings openSettings;
    };

    wxString AskText(const wxString& message, const wxString& caption, const wxString& defaultText) override;
    int ShowMessage(const MessageBoxRequest& request) override;
    std::vector<wxString> ChooseFilesToOpen(const OpenFileSettings& settings) override;
    wxString ChooseFileToSave(const wxString& message, const wxString& wildcard, long style) override;
    wxString ChooseFolder(const wxString& message, const wxString& defaultPath, long style) override;

    std::vector<Shown> shown;
    wxString textAnswer;
    int buttonAnswer = 0;
    std::vector<wxString> pathsAnswer; // the save and folder dialogs answer the first

private:
    wxString FirstPath() const;
};

// Puts a recording presenter in place for one test and restores the system's.
class ScopedRecordingPresenter {
public:
    ScopedRecordingPresenter();
    ~ScopedRecordingPresenter();
    RecordingPresenter& operator*() { return *m_presenter; }
    RecordingPresenter* operator->() { return m_presenter.get(); }

private:
    std::shared_ptr<RecordingPresenter> m_presenter;
};
