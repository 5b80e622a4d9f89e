#include "recordingpresenter.h"

namespace {

RecordingPresenter::Shown Entry(const char* kind, const wxString& message, const wxString& defaultText, long style)
{
    RecordingPresenter::Shown entry;
    entry.kind = kind;
    entry.message = message;
    entry.defaultText = defaultText;
    entry.style = style;
    return entry;
}

} // namespace

wxString RecordingPresenter::AskText(const wxString& message, const wxString& caption, const wxString& defaultText)
{
    shown.push_back(Entry("text", message, defaultText, 0));
    shown.back().caption = caption;
    return textAnswer;
}

int RecordingPresenter::ShowMessage(const MessageBoxRequest& request)
{
    shown.push_back(Entry("message", request.message, wxString(), request.style));
    shown.back().caption = request.caption;
    shown.back().yesLabel = request.yesLabel;
    shown.back().noLabel = request.noLabel;
    return buttonAnswer;
}

std::vector<wxString> RecordingPresenter::ChooseFilesToOpen(const OpenFileSettings& settings)
{
    shown.push_back(Entry("open", wxString(), wxString(), 0));
    shown.back().openSettings = settings;
    return pathsAnswer;
}

wxString RecordingPresenter::ChooseFileToSave(const wxString& message, const wxString& wildcard, long style)
{
    shown.push_back(Entry("save", message, wildcard, style));
    return FirstPath();
}

wxString RecordingPresenter::ChooseFolder(const wxString& message, const wxString& defaultPath, long style)
{
    shown.push_back(Entry("folder", message, defaultPath, style));
    return FirstPath();
}

wxString RecordingPresenter::FirstPath() const
{
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
