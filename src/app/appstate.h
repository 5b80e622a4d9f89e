#pragma once

#include <wx/string.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CPackage;
class CPackageForm;
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
    // The Yes/No question of RequestExit: true for Yes. Tests answer it
    // themselves; an empty function restores the message box.
    using ExitQuestion = std::function<bool(const wxString& caption, const wxString& message)>;
    void SetExitQuestion(ExitQuestion question);

    const std::shared_ptr<CPackage>& Package() const { return m_package; }
    // Test seam: the package that module commands read, without a start-up.
    void SetPackage(std::shared_ptr<CPackage> package) { m_package = std::move(package); }
    // The process exit code: the one a movie gave with ExitWithCode, else 0.
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
    // Test seam: the tray icon of a project that asks for one, without a
    // start-up; null takes it away.
    void SetTrayIcon(std::unique_ptr<KovaTaskBarIcon> icon);
    // Keeps a definition that a form made at run time refers to, for the
    // rest of the process.
    void KeepRuntimeDefinition(std::shared_ptr<CPackageForm> definition);

    // While the exit handler is enabled, closing a form is reported to the
    // movie instead of closing it. Any thread.
    bool ExitHandlerEnabled() const { return m_exitHandlerEnabled; }
    void SetExitHandlerEnabled(bool enabled) { m_exitHandlerEnabled = enabled; }
    // Minimizing the main form hides it as well. Any thread.
    bool MinimizeToTray() const { return m_minimizeToTray; }
    void SetMinimizeToTray(bool enabled) { m_minimizeToTray = enabled; }

    // Closes the main form, after a Yes to the question when the caption is
    // not empty; the exit handler is switched off first so the close goes
    // through. Main thread.
    void RequestExit(const wxString& caption, const wxString& message);
    // Closes the main form without asking; the process ends with the code.
    // Main thread.
    void ExitWithCode(int32_t code);

private:
    bool InitialiseModules();
    bool CreateForms();
    void ShowSplash();
    void AddTrayIcon();
    void CloseMainForm();

    std::shared_ptr<CPackage> m_package;
    std::unique_ptr<StartUpPrompts> m_prompts;
    KovaForm* m_mainForm = nullptr;
    int32_t m_formCounter = 0;
    std::vector<std::shared_ptr<CPackageForm>> m_runtimeDefinitions;
    std::unique_ptr<KovaTaskBarIcon> m_trayIcon;
    std::atomic<bool> m_minimizeToTray{false};
    std::atomic<bool> m_exitHandlerEnabled{false};
    int32_t m_exitCode = 0;
    ExitQuestion m_exitQuestion;
};

AppState& GetAppState();

// The executable's file name without folder and extension.
wxString ApplicationName();

// Undoes what a start that stopped half-way brought up: the modules, the
// worker, the extension libraries and the plug-in.
void ShutdownRuntime();
