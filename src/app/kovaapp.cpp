#include "kovaapp.h"

#include <wx/log.h>

wxIMPLEMENT_APP_NO_MAIN(KovaApp);

bool KovaApp::OnInit()
{
    // No project package can be found in the executable: the start-up fails.
    return false;
}

int RunKovaApp(HINSTANCE instance, LPSTR commandLine, int show)
{
    wxDisableAsserts();
    wxLog::SetLogLevel(wxLOG_Info);
    return wxEntry(instance, nullptr, commandLine, show);
}
