#pragma once

#include <wx/string.h>

#include <cstdint>
#include <memory>
#include <string>

class CPackage;
class KovaForm;
class KovaTaskBarIcon;
class StartUpPrompts;

// The state of the running application: the project package read at start,
// the main form, the form counter, the tray icon and the exit code. One
// instance for the process.
class AppState {
public:
    AppState();
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    // Reads the package, loads the plug-in, initialises the modules with the
    // extension libraries of the package and starts the project.
    bool StartUp();
    // Reads the package appended to the running executable.
    bool LoadProject();
    // Asks for the password when the project has one; true when it matched
    // or none was needed.
    bool CheckPassword();
    // Asks for the password, creates every form of the package and adds the
    // tray icon; false when a step fails or no form came up.
    bool Start();

    // Replaces the start-up dialogs (tests answer them themselves).
    void SetPrompts(std::unique_ptr<StartUpPrompts> prompts);

    const std::shared_ptr<CPackage>& Package() const { return m_package; }
    int32_t ExitCode() const { return m_exitCode; }
    int32_t FormCounter() const { return m_formCounter; }
    void CountForm() { ++m_formCounter; }
    // The first form: the toolkit's top window and the parent of later forms.
    KovaForm* MainForm() const { return m_mainForm; }
    void SetMainForm(KovaForm* form);
    // The main form goes away, and the tray icon with it: the icon's hidden
    // window would otherwise keep the main loop running.
    void ReleaseMainForm();
    KovaTaskBarIcon* TrayIcon() const { return m_trayIcon.get(); }

private:
    bool InitialiseModules();
    bool CreateForms();
    void ShowSplash();
    void AddTrayIcon();

    std::shared_ptr<CPackage> m_package;
    std::unique_ptr<StartUpPrompts> m_prompts;
    KovaForm* m_mainForm = nullptr;
    int32_t m_formCounter = 0;
    std::unique_ptr<KovaTaskBarIcon> m_trayIcon;
    int32_t m_exitCode = 0;
};

AppState& GetAppState();

// The executable's file name without folder and extension.
wxString ApplicationName();

// Undoes what a start that stopped half-way brought up: the modules, the
// worker, the extension libraries and the plug-in.
void ShutdownRuntime();
