#pragma once

#include <wx/string.h>

// The dialogs of the start-up. The runtime uses the toolkit's boxes; tests
// put answers of their own in place.
class StartUpPrompts {
public:
    virtual ~StartUpPrompts() = default;

    // The start password the user typed; empty when the box was cancelled.
    virtual wxString AskPassword(const wxString& appName);
    // Tells the user that the password did not match.
    virtual void ReportWrongPassword(const wxString& appName);
    // Tells the user that the tray image could not be shown; start-up goes on.
    virtual void ReportTrayIconFailure();
};
