#include "windowedform.h"

#include "commandcentre.h"

WindowedForm::WindowedForm(int32_t formId) : wxFrame(nullptr, wxID_ANY, L"windowed form"), m_formId(formId)
{
    CommandCentre::Get().AddForm(formId, this);
}

WindowedForm::~WindowedForm()
{
    if (CommandCentre::Get().FindForm(m_formId) == this)
        CommandCentre::Get().RemoveForm(m_formId);
}
