#include "screenstandinform.h"

ScreenStandInForm::ScreenStandInForm(int32_t formId, bool enterAnswer)
    : StandInForm(formId, wxString::Format("form%d", formId)), m_enterAnswer(enterAnswer)
{
}

bool ScreenStandInForm::EnterDirectXFullScreen(int32_t width, int32_t height)
{
    m_requests.push_back({true, width, height, std::this_thread::get_id()});
    return m_enterAnswer;
}

void ScreenStandInForm::LeaveDirectXFullScreen()
{
    m_requests.push_back({false, 0, 0, std::this_thread::get_id()});
}
