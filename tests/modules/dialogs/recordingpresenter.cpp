#include "recordingpresenter.h"

wxString RecordingPresenter::AskText(const wxString& message, const wxString& caption, const wxString& defaultText)
{
    Shown entry;
    entry.kind = "text";
    entry.message = message;
    entry.caption = caption;
    entry.defaultText = defaultText;
    shown.push_back(entry);
    return textAnswer;
}

int RecordingPresenter::ShowMessage(const MessageBoxRequest& request)
{
    Shown entry;
    entry.kind = "message";
    entry.message = request.message;
    entry.caption = request.caption;
    entry.style = request.style;
    entry.yesLabel = request.yesLabel;
    entry.noLabel = request.noLabel;
    shown.push_back(entry);
    return buttonAnswer;
}

std::vector<wxString> RecordingPresenter::ChooseFilesToOpen(const OpenFileSettings& settings)
{
    Shown entry;
    entry.kind = "open";
    entry.openSettings = settings;
    shown.push_back(entry);
    return pathsAnswer;
}

wxString RecordingPresenter::ChooseFileToSave(const wxString& message, const wxString& wildcard, long style)
{
    Shown entry;
    entry.kind = "save";
    entry.message = message;
    entry.defaultText = wildcard;
    entry.style = style;
    shown.push_back(entry);
    return pathsAnswer.empty() ? wxString() : pathsAnswer.front();
}

wxString RecordingPresenter::ChooseFolder(const wxString& message, const wxString& defaultPath, long style)
{
    Shown entry;
    entry.kind = "folder";
    entry.message = message;
    entry.defaultText = defaultPath;
    entry.style = style;
    shown.push_back(entry);
    return pathsAnswer.empty() ? wxString() : pathsAnswer.front();
}

ScopedRecordingPresenter::ScopedRecordingPresenter() : m_presenter(std::make_shared<RecordingPresenter>())
{
    SetDialogPresenter(m_presenter);
}

ScopedRecordingPresenter::~ScopedRecordingPresenter()
{
    SetDialogPresenter(nullptr);
}
