#include "folderdeletion.h"

#include "mainthread.h"
#include "shellfolderoperations.h"

#include <wx/msgdlg.h>

FolderDeletionOutcome DeleteFolderInMode(const std::wstring& folder, const std::wstring& mode,
                                         const std::function<bool()>& confirm)
{
    if (folder.empty() || (mode != L"noask" && mode != L"ask"))
        return FolderDeletionOutcome::Failed;
    if (mode == L"ask" && !confirm())
        return FolderDeletionOutcome::Cancelled;
    return DeleteFolderTree(folder) ? FolderDeletionOutcome::Deleted : FolderDeletionOutcome::Failed;
}

bool AskToDeleteFolder()
{
    int answer = wxNO;
    // Shut-down under way: the box is not shown and the answer stays No.
    RunOnMainThread([&] {
        answer = wxMessageBox(wxS("Really delete folder?"), wxString(), wxYES_NO | wxNO_DEFAULT | wxICON_EXCLAMATION,
                              nullptr);
    });
    return answer == wxYES;
}
