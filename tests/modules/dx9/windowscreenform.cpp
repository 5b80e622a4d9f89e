#include "windowscreenform.h"

WindowScreenForm::WindowScreenForm(int32_t formId) : StandInForm(formId, "main") {}

bool WindowScreenForm::EnterDirectXFullScreen(int32_t width, int32_t height)
{
    m_threads.push_back(std::this_thread::get_id());
    return m_screen.Enter(m_window.Handle(), width, height);
}

void WindowScreenForm::LeaveDirectXFullScreen()
{
    m_threads.push_back(std::this_thread::get_id());
    m_screen.Leave();
}
