#pragma once

#include <wx/app.h>

// The application object: starts the runtime from the project package
// appended to the executable, runs the main loop and shuts the runtime down.
// A failed start-up ends the process with -1.
class KovaApp : public wxApp {
public:
    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;
};

wxDECLARE_APP(KovaApp);

// Process entry: switches the toolkit's assertions off, caps its log level
// and runs the toolkit's entry.
int RunKovaApp(HINSTANCE instance, LPSTR commandLine, int show);
