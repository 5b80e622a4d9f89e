#include "nxadialogs.h"

#include "browsefile.h"
#include "browsefolder.h"
#include "chosenpaths.h"
#include "commandargs.h"
#include "dialogpresenter.h"
#include "eventdispatcher.h"
#include "messageboxchoice.h"
#include "objectrows.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>

#include <optional>

namespace {

using namespace nxaDialogs;

const wchar_t kInputBoxMessage[] = L"Please enter text...";
const wchar_t kSaveDialogMessage[] = L"Choose a file";
const wchar_t kSaveDialogWildcard[] = L"*.*";

// Dialogs and BrowseFileToSave objects hold nothing but where their events go.
ObjectMap<EventDispatcher>& DialogTargets()
{
    static ObjectMap<EventDispatcher> targets(Frame::Objects());
    return targets;
}

ObjectMap<BrowseFile>& BrowseFiles()
{
    static ObjectMap<BrowseFile> files(Frame::Objects());
    return files;
}

ObjectMap<EventDispatcher>& SaveDialogs()
{
    static ObjectMap<EventDispatcher> dialogs(Frame::Objects());
    return dialogs;
}

ObjectMap<BrowseFolder>& BrowseFolders()
{
    static ObjectMap<BrowseFolder> folders(Frame::Objects());
    return folders;
}

// An asynchronous call hears "onSelect" { } for consent, "onCancel" otherwise.
void ReportConsent(const CallInfo& call, const EventDispatcher& target, bool consented)
{
    if (!call.isAsync)
        return;
    if (consented)
        EventDispatcher::SendSelect(target);
    else
        EventDispatcher::SendCancel(target);
}

// An asynchronous call hears "onSelect" with the path, or "onCancel".
void ReportPath(const CallInfo& call, const EventDispatcher& target, const wxString& path)
{
    if (!call.isAsync)
        return;
    if (path.empty())
        EventDispatcher::SendCancel(target);
    else
        EventDispatcher::SendSelectResult(path, target);
}

// Shows the message box, when there is one, and answers whether the user
// consented; no box counts as a refusal.
json_object* AnswerMessageBox(const CallInfo& call, const EventDispatcher& target,
                              const std::optional<MessageBoxRequest>& request)
{
    const bool consented = request && IsConsent(CurrentDialogPresenter()->ShowMessage(*request));
    ReportConsent(call, target, consented);
    return MakeFlag(consented);
}

json_object* AnswerFileList(const CallInfo& call, const EventDispatcher& target, const std::vector<wxString>& paths)
{
    if (call.isAsync) {
        if (paths.empty())
            EventDispatcher::SendCancel(target);
        else
            EventDispatcher::SendSelectMultiple(target, paths);
    }
    return MakeTextArray(paths);
}

template <class T>
json_object* CreateIn(ObjectMap<T>& objects, const CallInfo& call)
{
    return AddObject(objects, std::make_shared<T>(call));
}

// (id, text): stores the text in one of the open-file settings.
template <wxString OpenFileSettings::*Setting>
json_object* __cdecl BrowseFileText(CallInfo*, int32_t argc, json_object** argv)
{
    const wxString text = ReadText(argv[1]);
    return WithObject(BrowseFiles(), argc, argv, [&](BrowseFile& file) {
        file.settings.*Setting = text;
        return MakeInt(0);
    });
}

// (id, text): stores the text in one of the folder dialog's settings.
template <wxString BrowseFolder::*Setting>
json_object* __cdecl BrowseFolderText(CallInfo*, int32_t argc, json_object** argv)
{
    const wxString text = ReadText(argv[1]);
    return WithObject(BrowseFolders(), argc, argv, [&](BrowseFolder& folder) {
        folder.*Setting = text;
        return MakeInt(0);
    });
}

// Every row runs on the main thread, where the dialogs belong.
constexpr uint32_t kMain = kMainThread;
constexpr uint32_t kMainObject = kMainThread | kObjectRow;

const RowSpec kRows[] = {
    {"nxa.Dialogs.create", dialogsCreate, 0, "-1", kMain},
    {"nxa.Dialogs.inputBox", dialogsInputBox, 3, "\"\"", kMainObject},
    {"nxa.Dialogs.prompt", dialogsPrompt, 2, "0", kMainObject},
    {"nxa.Dialogs.promptAdv", dialogsPromptAdv, 3, "false", kMainObject},
    {"nxa.Dialogs.promptModal", dialogsPromptModal, 4, "false", kMainObject},
    {"nxa.Dialogs.BrowseFile.create", browseFileCreate, 0, "-1", kMain},
    {"nxa.Dialogs.BrowseFile.show", browseFileShow, 1, "\"\"", kMainObject},
    {"nxa.Dialogs.BrowseFile.allowMultiple", browseFileAllowMultiple, 2, "0", kMainObject},
    {"nxa.Dialogs.BrowseFile.buttonText", BrowseFileText<&OpenFileSettings::buttonText>, 2, "0", kMainObject},
    {"nxa.Dialogs.BrowseFile.creatorCode", browseFileNoOp, kAnyArgCount, "0", kMain},
    {"nxa.Dialogs.BrowseFile.defaultDirectory", BrowseFileText<&OpenFileSettings::defaultDirectory>, 2, "0",
     kMainObject},
    {"nxa.Dialogs.BrowseFile.defaultExtension", browseFileNoOp, kAnyArgCount, "0", kMain},
    {"nxa.Dialogs.BrowseFile.defaultFilename", BrowseFileText<&OpenFileSettings::defaultFilename>, 2, "0",
     kMainObject},
    {"nxa.Dialogs.BrowseFile.dialogText", browseFileNoOp, kAnyArgCount, "0", kMain},
    {"nxa.Dialogs.BrowseFile.filterList", BrowseFileText<&OpenFileSettings::filterList>, 2, "0", kMainObject},
    {"nxa.Dialogs.BrowseFile.filterText", BrowseFileText<&OpenFileSettings::filterList>, 2, "0", kMainObject},
    {"nxa.Dialogs.BrowseFile.title", BrowseFileText<&OpenFileSettings::title>, 2, "0", kMainObject},
    {"nxa.Dialogs.BrowseFileToSave.create", browseFileToSaveCreate, 0, "-1", kMain},
    {"nxa.Dialogs.BrowseFileToSave.show", browseFileToSaveShow, 1, "\"\"", kMainObject},
    {"nxa.Dialogs.BrowseFolder.create", browseFolderCreate, 0, "-1", kMain},
    {"nxa.Dialogs.BrowseFolder.show", browseFolderShow, 1, "\"\"", kMainObject},
    {"nxa.Dialogs.BrowseFolder.defaultDirectory", BrowseFolderText<&BrowseFolder::defaultDirectory>, 2, "0",
     kMainObject},
    {"nxa.Dialogs.BrowseFolder.title", BrowseFolderText<&BrowseFolder::title>, 2, "0", kMainObject},
};

static_assert(sizeof(kRows) / sizeof(kRows[0]) == 23, "the Dialogs module has 23 rows");

} // namespace

struct nxaDialogs::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaDialogs::Definition>;

namespace nxaDialogs {

json_object* __cdecl dialogsCreate(CallInfo* call, int32_t, json_object**)
{
    return CreateIn(DialogTargets(), *call);
}

json_object* __cdecl dialogsInputBox(CallInfo* call, int32_t argc, json_object** argv)
{
    const wxString caption = ReadText(argv[1]);
    const wxString defaultText = ReadText(argv[2]);
    return WithObject(DialogTargets(), argc, argv, [&](const EventDispatcher& target) {
        const wxString text = CurrentDialogPresenter()->AskText(kInputBoxMessage, caption, defaultText);
        // The entered text travels only in the result.
        ReportConsent(*call, target, !text.empty());
        return MakeText(text);
    });
}

json_object* __cdecl dialogsPrompt(CallInfo*, int32_t argc, json_object** argv)
{
    MessageBoxRequest request;
    request.message = ReadText(argv[1]);
    request.style = wxOK;
    return WithObject(DialogTargets(), argc, argv, [&](const EventDispatcher&) {
        CurrentDialogPresenter()->ShowMessage(request);
        return MakeInt(0);
    });
}

json_object* __cdecl dialogsPromptAdv(CallInfo* call, int32_t argc, json_object** argv)
{
    const auto request = PromptAdvRequest(ReadText(argv[1]), ReadText(argv[2]));
    return WithObject(DialogTargets(), argc, argv,
                      [&](const EventDispatcher& target) { return AnswerMessageBox(*call, target, request); });
}

json_object* __cdecl dialogsPromptModal(CallInfo* call, int32_t argc, json_object** argv)
{
    const auto request = PromptModalRequest(ReadText(argv[1]), ReadText(argv[2]), ReadText(argv[3]));
    return WithObject(DialogTargets(), argc, argv,
                      [&](const EventDispatcher& target) { return AnswerMessageBox(*call, target, request); });
}

json_object* __cdecl browseFileCreate(CallInfo* call, int32_t, json_object**)
{
    return CreateIn(BrowseFiles(), *call);
}

json_object* __cdecl browseFileShow(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithObject(BrowseFiles(), argc, argv, [&](const BrowseFile& file) {
        std::vector<wxString> paths = CurrentDialogPresenter()->ChooseFilesToOpen(file.settings);
        for (wxString& path : paths)
            path = WithFinalBackslash(path);
        if (file.settings.allowMultiple)
            return AnswerFileList(*call, file, paths);
        const wxString path = paths.empty() ? wxString() : paths.front();
        ReportPath(*call, file, path);
        return MakeText(path);
    });
}

json_object* __cdecl browseFileAllowMultiple(CallInfo*, int32_t argc, json_object** argv)
{
    const bool allowMultiple = ReadFlag(argv[1]);
    return WithObject(BrowseFiles(), argc, argv, [&](BrowseFile& file) {
        file.settings.allowMultiple = allowMultiple;
        return MakeInt(0);
    });
}

json_object* __cdecl browseFileNoOp(CallInfo*, int32_t, json_object**)
{
    return MakeInt(0);
}

json_object* __cdecl browseFileToSaveCreate(CallInfo* call, int32_t, json_object**)
{
    return CreateIn(SaveDialogs(), *call);
}

json_object* __cdecl browseFileToSaveShow(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithObject(SaveDialogs(), argc, argv, [&](const EventDispatcher& target) {
        const wxString path = WithFinalBackslash(
            CurrentDialogPresenter()->ChooseFileToSave(kSaveDialogMessage, kSaveDialogWildcard, wxFD_SAVE));
        ReportPath(*call, target, path);
        return MakeText(path);
    });
}

json_object* __cdecl browseFolderCreate(CallInfo* call, int32_t, json_object**)
{
    return CreateIn(BrowseFolders(), *call);
}

json_object* __cdecl browseFolderShow(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithObject(BrowseFolders(), argc, argv, [&](const BrowseFolder& folder) {
        const wxString path = WithFinalBackslash(
            CurrentDialogPresenter()->ChooseFolder(folder.title, folder.defaultDirectory, wxDD_DEFAULT_STYLE));
        ReportPath(*call, folder, path);
        return MakeText(path);
    });
}

} // namespace nxaDialogs
