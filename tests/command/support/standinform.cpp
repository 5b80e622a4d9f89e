#include "standinform.h"

#include "commandcentre.h"

StandInForm::StandInForm(int32_t formId, const wxString& name, bool playsDirectly, const wxString& swfName)
    : m_formId(formId), m_name(name), m_playsDirectly(playsDirectly), m_swfName(swfName),
      m_registered(CommandCentre::Get().AddForm(formId, this))
{
}

StandInForm::~StandInForm()
{
    if (m_registered && CommandCentre::Get().FindForm(m_formId) == this)
        CommandCentre::Get().RemoveForm(m_formId);
}
