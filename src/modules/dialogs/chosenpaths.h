#pragma once

#include <wx/string.h>

#include <cstddef>
#include <vector>

// Paths as the dialogs hand them to movies.

// Every chosen file or folder ends with "\": the path gets one unless it is
// empty or ends with one already (a drive root).
wxString WithFinalBackslash(const wxString& path);

// The paths in an open-file dialog's answer: NUL-separated texts up to an
// empty one (or the end of the buffer). One text is a full path; several
// are the folder followed by the chosen names, turned into full paths.
std::vector<wxString> PathsFromOpenSelection(const wchar_t* buffer, size_t length);
