#include "appstate.h"

#include "commandcentre.h"
#include "curlglobal.h"
#include "cpackage.h"
#include "cpackagebinary.h"
#include "cpackageform.h"
#include "extensionimage.h"
#include "flashhost.h"
#include "formcreation.h"
#include "joystickwarmup.h"
#include "kovaform.h"
#include "kovataskbaricon.h"
#include "modulelist.h"
#include "nxaapplication.h"
#include "packagelocator.h"
#include "startupprompts.h"
#include "temporarymovies.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/mstream.h>
#include <wx/splash.h>
#include <wx/utils.h>

#include <windows.h>

namespace {

std::wstring ExecutablePath()
{
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length < MAX_PATH ? length : 0);
}

// Embedded files that are native libraries become extension libraries; the
// others are not needed at start-up, so only their first bytes are looked
// at. False when a library's bytes cannot be produced.
bool CollectExtensions(const CPackage& package, std::vector<std::unique_ptr<ExtensionImage>>& extensions)
{
    for (const auto& file : package.EmbeddedFiles()) {
        unsigned char head[2] = {};
        file->CopyHead(head, sizeof head);
        if (!ExtensionImage::IsLibraryImage(head, file->Length()))
            continue;
        int32_t length = 0;
        std::unique_ptr<unsigned char[]> bytes;
        if (!file->GetData(length, bytes))
            return false;
        extensions.push_back(std::make_unique<ExtensionImage>(std::move(bytes), length));
    }
    return true;
}

// The splash window; its closing is an application event for the movies.
class nxaSplash : public wxSplashScreen {
public:
    nxaSplash(const wxBitmap& bitmap, int shownMs)
        : wxSplashScreen(bitmap, wxSPLASH_CENTRE_ON_SCREEN | wxSPLASH_TIMEOUT, shownMs, nullptr, wxID_ANY,
                         wxDefaultPosition, wxDefaultSize, wxSIMPLE_BORDER | wxSTAY_ON_TOP)
    {
        Bind(wxEVT_CLOSE_WINDOW, &nxaSplash::OnClose, this);
    }

private:
    void OnClose(wxCloseEvent& event)
    {
        nxaApplication::BroadcastEvent("{ }", "onSplashClosed");
        event.Skip(); // the splash screen destroys itself
    }
};

bool AskExitQuestion(const wxString& caption, const wxString& message)
{
    wxMessageDialog question(wxTheApp->GetTopWindow(), message, caption, wxYES_NO);
    return question.ShowModal() == wxID_YES;
}

} // namespace

AppState::AppState() : m_prompts(std::make_unique<StartUpPrompts>()), m_exitQuestion(AskExitQuestion) {}

AppState::~AppState() = default;

bool AppState::StartUp()
{
    JoystickWarmUp joysticks;
    joysticks.Start();
    const bool loaded = LoadProject() && FlashHost::Get().Load() && InitialiseModules();
    joysticks.Finish();
    return loaded && Start();
}

bool AppState::LoadProject()
{
    auto package = std::make_shared<CPackage>();
    if (!LoadPackageFromFile(ExecutablePath(), *package))
        return false;
    m_package = package;
    return true;
}

bool AppState::InitialiseModules()
{
    std::vector<std::unique_ptr<ExtensionImage>> extensions;
    return CollectExtensions(*m_package, extensions) &&
           CommandCentre::Get().Initialise(BuiltInModules(), std::move(extensions));
}

bool AppState::CheckPassword()
{
    if (!m_package->Settings().passwordRequired)
        return true;
    const wxString appName = ApplicationName();
    // Compared exactly: the stored password of a project is case-sensitive.
    if (m_prompts->AskPassword(appName) == wxString(m_package->GetPassword()))
        return true;
    m_prompts->ReportWrongPassword(appName);
    return false;
}

bool AppState::Start()
{
    if (!CheckPassword())
        return false;
    if (m_package->Settings().splash)
        ShowSplash();
    if (!CreateForms())
        return false;
    if (m_package->Settings().trayIcon)
        AddTrayIcon();
    // Without a form the main loop would run with no window to end it.
    return m_formCounter > 0;
}

void AppState::ShowSplash()
{
    std::unique_ptr<unsigned char[]> bytes;
    int32_t length = 0;
    if (!m_package->GetSplashImage(bytes, length))
        return;
    wxImage image;
    {
        wxLogNull quiet; // an image that does not decode is skipped without a box
        wxMemoryInputStream stream(bytes.get(), static_cast<size_t>(length));
        if (!image.LoadFile(stream, wxBITMAP_TYPE_ANY))
            return;
    }
    const int32_t splashTime = m_package->Settings().splashTime;
    const int shownMs = splashTime > 0 ? splashTime : 2000;
    // The splash screen closes and destroys itself after the time.
    new nxaSplash(wxBitmap(image), shownMs);
    wxMilliSleep(shownMs);
}

void AppState::AddTrayIcon()
{
    m_trayIcon = std::make_unique<KovaTaskBarIcon>();
    std::unique_ptr<unsigned char[]> bytes;
    int32_t length = 0;
    if (!m_package->GetTrayIcon(bytes, length))
        return;
    wxMemoryInputStream stream(bytes.get(), static_cast<size_t>(length));
    wxImage image;
    {
        wxLogNull quiet; // the failure is reported below, not as a log box
        image.LoadFile(stream, wxBITMAP_TYPE_ANY);
    }
    wxIcon icon;
    if (image.IsOk())
        icon.CopyFromBitmap(wxBitmap(image));
    if (!icon.IsOk() || !m_trayIcon->SetIcon(icon, ApplicationName()))
        m_prompts->ReportTrayIconFailure();
}

void AppState::SetTrayIcon(std::unique_ptr<KovaTaskBarIcon> icon)
{
    m_trayIcon = std::move(icon);
}

void AppState::ReleaseMainForm()
{
    m_trayIcon.reset();
    m_mainForm = nullptr;
}

bool AppState::CreateForms()
{
    for (const auto& definition : m_package->Forms()) {
        if (!CreateForm(*definition, *this))
            return false;
    }
    return true;
}

void AppState::SetMainForm(KovaForm* form)
{
    m_mainForm = form;
    wxTheApp->SetTopWindow(form);
}

void AppState::SetPrompts(std::unique_ptr<StartUpPrompts> prompts)
{
    m_prompts = std::move(prompts);
}

void AppState::SetExitQuestion(ExitQuestion question)
{
    m_exitQuestion = question ? std::move(question) : ExitQuestion(AskExitQuestion);
}

void AppState::KeepRuntimeDefinition(std::shared_ptr<CPackageForm> definition)
{
    m_runtimeDefinitions.push_back(std::move(definition));
}

void AppState::RequestExit(const wxString& caption, const wxString& message)
{
    if (!caption.empty() && !m_exitQuestion(caption, message))
        return;
    m_exitHandlerEnabled = false;
    CloseMainForm();
}

void AppState::ExitWithCode(int32_t code)
{
    m_exitCode = code;
    m_exitHandlerEnabled = false;
    CloseMainForm();
}

void AppState::CloseMainForm()
{
    if (!m_mainForm)
        return;
    // Posted, not sent: the form's close handling runs from the main loop,
    // after the command that asked for it has answered.
    wxCloseEvent close(wxEVT_CLOSE_WINDOW, m_mainForm->GetId());
    close.SetEventObject(m_mainForm);
    close.SetCanVeto(true);
    wxPostEvent(m_mainForm->GetEventHandler(), close);
}

AppState& GetAppState()
{
    static AppState state;
    return state;
}

wxString ApplicationName()
{
    return wxFileName(ExecutablePath()).GetName();
}

void ShutdownRuntime()
{
    CommandCentre::Get().Shutdown();
    FlashHost::Get().Unload();
    CurlGlobal::Cleanup();
    TemporaryMovies::DeleteAll();
}
