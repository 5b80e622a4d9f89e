#include "speechmswtimer.h"

#include "asyncevent.h"
#include "commandcentre.h"
#include "eventdispatcher.h"
#include "speechvoice.h"

void SpeechMSWTimer::Attach(SpeechVoice* voice, const EventDispatcher* dispatcher)
{
    m_voice = voice;
    m_dispatcher = dispatcher;
}

void SpeechMSWTimer::Notify()
{
    if (!m_voice || !m_dispatcher || !m_voice->IsSpeakComplete())
        return;
    Stop();
    PostAsyncEvent(L"{ }", L"onSayComplete", &CommandCentre::Get(), m_dispatcher->formId, m_dispatcher->callerId);
}
