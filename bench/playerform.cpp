#include "playerform.h"

#include "commandcentre.h"
#include "flashhost.h"

#include <wx/frame.h>

PlayerForm::PlayerForm(int32_t formId)
    : m_formId(formId),
      m_frame(new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(320, 240))),
      m_instance(FlashHost::Get().PluginFuncs(), m_frame->GetHWND())
{
    m_instance.m_formId = formId;
    CommandCentre::Get().AddForm(formId, this);
}

PlayerForm::~PlayerForm()
{
    CommandCentre::Get().RemoveForm(m_formId);
    m_instance.Destroy();
    m_frame->Destroy();
}

void PlayerForm::CallFunction(const wxString& invokeRequest)
{
    wxString reply;
    m_instance.CallFunction(invokeRequest, reply);
}

bool PlayerForm::Play(const std::string& movie)
{
    InstanceParams params;
    params.play = true;
    return m_instance.New(params, m_frame->GetHWND()) &&
           m_instance.LoadSwfFromRam(reinterpret_cast<const uint8_t*>(movie.data()), int32_t(movie.size()));
}
