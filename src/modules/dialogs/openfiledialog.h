#pragma once

#include "openfilesettings.h"

#include <wx/msw/wrapwin.h>

#include <string>
#include <vector>

// The system's open-file dialog (GetOpenFileNameW, explorer style, with a
// hook) for a movie's settings. The hook is what lets the OK button carry the
// movie's label: once the dialog is set up it relabels the button and centres
// the dialog on its screen.
class OpenFileDialog {
public:
    explicit OpenFileDialog(const OpenFileSettings& settings);

    // Shows the dialog modally, with no owner; the chosen full paths in the
    // dialog's order, none when cancelled.
    std::vector<wxString> Show();

    // The system's filter text for the movie's filter list: "name\0pattern\0"
    // pairs ending in an empty text; all files when the list is empty. A bare
    // pattern is named "Files (pattern)"; a last name without a pattern is
    // left out.
    static std::wstring FilterText(const wxString& filterList);

private:
    static UINT_PTR CALLBACK Hook(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    static void OnInitDone(HWND dialog, const std::wstring& buttonText);

    OpenFileSettings m_settings;
    std::wstring m_buttonText;
};
