#pragma once

#include <cstddef>
#include <string>

// Whole folder trees copied and deleted by the shell's file operation,
// without progress window or question (the shell's own error messages still
// show), and deletes for good, with no recycle bin.

// The longest folder path handed to the shell: longer ones reach files past
// the platform's path limit, which the shell skips or fails on.
constexpr size_t kLongestShellFolderPath = 258;

// The text as the path of a folder: "/" as "\" and no trailing separator,
// except that a volume root ("C:\") and the root ("\") keep theirs.
std::wstring FolderPathForm(const std::wstring& folder);

// Copies the source tree to a destination folder that does not exist yet,
// which the copy makes. False for an empty text, an existing destination
// (the shell would put the source inside it), a path longer than
// kLongestShellFolderPath and a failed copy.
bool CopyFolderTree(const std::wstring& source, const std::wstring& destination);

// Deletes the folder with everything below it. False for an empty text, a
// path longer than kLongestShellFolderPath and a failed delete.
bool DeleteFolderTree(const std::wstring& folder);
