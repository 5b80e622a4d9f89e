#include "kovaapp.h"

#include "appstate.h"
#include "exitwatchdog.h"
#include "flashwindowclass.h"

#include <wx/image.h>
#include <wx/log.h>

#include <objbase.h>

wxIMPLEMENT_APP_NO_MAIN(KovaApp);

namespace {

// The longest shut-down: the worker's grace periods (a file being written
// may take up to five seconds more), the transfers' ends and the modules'.
const unsigned long kLongestShutdownMs = 20000;

} // namespace

bool KovaApp::OnInit()
{
    CoInitialize(nullptr);
    if (!RegisterFlashWindowClass())
        return false;
    wxImage::AddHandler(new wxICOHandler);
    wxImage::AddHandler(new wxCURHandler);
    if (GetAppState().StartUp())
        return true;
    ShutdownRuntime();
    CoUninitialize();
    return false;
}

int KovaApp::OnRun()
{
    wxApp::OnRun();
    return GetAppState().ExitCode();
}

int KovaApp::OnExit()
{
    ExitWatchdog::Arm(kLongestShutdownMs, GetAppState().ExitCode());
    ShutdownRuntime();
    CoUninitialize();
    return wxApp::OnExit();
}

int RunKovaApp(HINSTANCE instance, LPSTR commandLine, int show)
{
    wxDisableAsserts();
    wxLog::SetLogLevel(wxLOG_Info);
    return wxEntry(instance, nullptr, commandLine, show);
}
