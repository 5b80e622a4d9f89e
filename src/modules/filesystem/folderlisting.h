#pragma once

#include <string>
#include <vector>

// The entries of one folder by name (no folder part), in the order the file
// system enumerates them; nothing is sorted.

// The folder and a name under it, with one separator between; an empty
// folder leaves the name alone (relative to the working folder).
std::wstring JoinFolderAndName(const std::wstring& folder, const std::wstring& name);

// The files (not folders) of the folder whose names match the pattern ("*"
// and "?"), hidden and system files left out. An empty folder text lists the
// working folder; a missing folder gives none.
std::vector<std::wstring> ListFileNames(const std::wstring& folder, const std::wstring& pattern);

// Every subfolder of the folder, hidden and system ones too. An empty folder
// text and a missing folder give none.
std::vector<std::wstring> ListFolderNames(const std::wstring& folder);
