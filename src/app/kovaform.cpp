#include "kovaform.h"

#include "appstate.h"
#include "commandcentre.h"
#include "cpackage.h"
#include "cpackageform.h"
#include "flashhost.h"
#include "flashwnd.h"
#include "invokerequest.h"

namespace {

const int32_t kFirstScriptableVersion = 9;

} // namespace

KovaForm::KovaForm(wxWindow* parent, const CPackage& package, const CPackageForm& definition,
                   const InstanceParams& params, int32_t formId, const wxPoint& position,
                   const wxSize& size, long style)
    : wxFrame(parent, formId, wxEmptyString, position, size, style, wxS("KovaFormMSW")),
      m_params(params), m_package(package), m_definition(definition)
{
    CommandCentre::Get().AddForm(formId, this);
    m_pInstance = std::make_unique<FlashWnd>(FlashHost::Get().PluginFuncs(), GetHWND());
}

KovaForm::~KovaForm()
{
    DestroyFlash();
    if (GetAppState().MainForm() == this)
        GetAppState().ReleaseMainForm();
}

wxString KovaForm::GetName() const
{
    return m_definition.Settings().name;
}

void KovaForm::CallFunction(const wxString& invokeRequest)
{
    wxString reply;
    if (m_pInstance)
        m_pInstance->CallFunction(invokeRequest, reply);
}

void KovaForm::CallMovieFunction(const wxString& functionName, const wxString& argumentText,
                                 const wxString& separator)
{
    CallFunction(BuildInvokeRequest(functionName.ToStdWstring(),
                                    SplitMovieArguments(argumentText.ToStdWstring(), separator.ToStdWstring())));
}

wxString KovaForm::CallMovieFunctionXml(const wxString& invokeRequest)
{
    wxString reply;
    if (!m_pInstance || !m_pInstance->CallFunction(invokeRequest, reply))
        return wxString();
    return reply;
}

wxString KovaForm::GetVariable(const wxString& name)
{
    wxString value;
    if (!m_pInstance || !m_pInstance->GetVariable(name, value))
        return wxString();
    return value;
}

void KovaForm::SetVariable(const wxString& name, const wxString& value)
{
    if (m_pInstance)
        m_pInstance->SetVariable(name, value);
}

void KovaForm::LoadMovie(int32_t level, const wxString& url)
{
    if (m_pInstance)
        m_pInstance->LoadMovie(level, url);
}

void KovaForm::GoToLabel(const wxString& label)
{
    if (m_pInstance)
        m_pInstance->TGotoLabel(wxS("/"), label);
}

void KovaForm::CreateFlash()
{
    m_pInstance->m_formId = GetId();
    m_pInstance->New(m_params, GetHWND());
    LoadMovieFromPackage();
    const FormSettings& settings = m_definition.Settings();
    SetTitle(settings.title);
    if (m_package.Settings().mode == 0 && settings.sizeUnit == 0) {
        SetClientSize(settings.width, settings.height);
        if (settings.centre)
            CentreOnScreen();
    }
    if (settings.initialState == 1)
        Iconize(true);
    else if (settings.initialState == 2)
        Maximize(true);
    if (settings.visible)
        Show(true);
}

void KovaForm::LoadMovieFromPackage()
{
    int32_t length = 0;
    std::unique_ptr<unsigned char[]> movie;
    if (!m_definition.GetMovie(length, movie))
        return;
    if (m_definition.MovieVersion() >= kFirstScriptableVersion) {
        m_playsDirectly = true;
        m_pInstance->LoadSwfFromRam(movie.get(), length);
    }
}

void KovaForm::DestroyFlash()
{
    CommandCentre::Get().RemoveForm(GetId());
    if (m_pInstance) {
        m_pInstance->Destroy();
        m_pInstance.reset();
    }
}
