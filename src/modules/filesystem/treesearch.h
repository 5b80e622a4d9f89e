#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Walks down a folder tree: at each folder every subfolder first (hidden
// and system ones too, depth first, in enumeration order), then the
// folder's own files. Links (junctions, symbolic links) are not followed, so
// a link back up the tree cannot make a walk endless. Folders that cannot be
// opened are passed over.

// The files below the search path's folder part whose names match its name
// part ("C:\data\*.txt": "*.txt" under C:\data), as paths relative to that
// folder ("s\y.txt", "x.txt"), in walking order. A search path without a
// folder part names no folder and finds nothing.
std::vector<std::wstring> FindFilesBelow(const std::wstring& searchPath);

// The paths joined with ";" (none before the first or after the last).
std::wstring JoinFoundPaths(const std::vector<std::wstring>& paths);

// What a folder that is missing or cannot be walked measures.
constexpr uint64_t kUnknownFolderSize = 4294967295u;

// The bytes of every file below the folder at any depth, hidden and system
// files included.
uint64_t FolderTreeSize(const std::wstring& folder);
