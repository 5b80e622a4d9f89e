#pragma once

#include <string>

// Folders and the process's working folder.

// Makes the one folder the path names: false when it exists already, when its
// parent is missing or when it cannot be made.
bool MakeOneFolder(const std::wstring& path);

// True when the path names an existing folder, with or without a trailing
// separator; false for a file and for nothing.
bool IsExistingFolder(const std::wstring& path);

// The process's working folder, ending with "\".
std::wstring WorkingFolderWithSeparator();

// Sets the process's working folder, for every thread; false when it could
// not be set.
bool SetWorkingFolder(const std::wstring& path);
