#pragma once

#include <functional>
#include <string>

// Deleting a folder tree in one of the movie's confirmation modes.

enum class FolderDeletionOutcome {
    Deleted,
    Failed,    // nothing to delete, an unknown mode, or the delete failed
    Cancelled, // the user answered No to the question
};

// "noask" deletes at once; "ask" deletes only when confirm() answers true
// (Yes); every other mode, compared with letter case, deletes nothing and
// asks nothing. An empty folder text fails before any question.
FolderDeletionOutcome DeleteFolderInMode(const std::wstring& folder, const std::wstring& mode,
                                         const std::function<bool()>& confirm);

// Asks "Really delete folder?" in a Yes/No box (No the default) on the main
// thread; true when the user answered Yes.
bool AskToDeleteFolder();
