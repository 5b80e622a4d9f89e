#include "kovatimer.h"

#include "asyncevent.h"
#include "commandcentre.h"
#include "timermanager.h"

void KovaTimer::Notify()
{
    if (!m_owner)
        return;
    PostAsyncEvent(L"{ }", wxString::Format(L"onTimer%d", m_number), &CommandCentre::Get(), m_owner->formId,
                   m_owner->callerId);
}
