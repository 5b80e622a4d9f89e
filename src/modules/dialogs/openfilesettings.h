#pragma once

#include <wx/string.h>

// What a movie set for one open-file dialog. All empty or false at first.
struct OpenFileSettings {
    bool allowMultiple = false; // several files, answered as a list
    wxString buttonText;        // replaces the OK button's label when not empty
    wxString defaultDirectory;  // the folder the dialog opens in
    wxString defaultFilename;   // the file name shown at first
    wxString filterList;        // "Text|*.txt|All|*.*" or a bare "*.txt"
    wxString title;             // the dialog's caption
};
