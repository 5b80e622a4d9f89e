#include "speechmsw.h"

#include "mainthread.h"
#include "speechvoice.h"

namespace {

// The completion poll's period.
constexpr int kPollIntervalMs = 100;

} // namespace

SpeechMSW::SpeechMSW(int32_t formId, int32_t callerId) : EventDispatcher(formId, callerId) {}

SpeechMSW::~SpeechMSW()
{
    Release();
}

bool SpeechMSW::Init()
{
    bool made = false;
    // The voice is a COM object of the main thread's apartment.
    RunOnMainThread([&] {
        if (m_voice)
            return;
        m_voice = CreateSpeechVoice();
        if (!m_voice)
            return;
        m_timer.Attach(m_voice.get(), this);
        made = true;
    });
    return made;
}

void SpeechMSW::Release()
{
    RunOnMainThread([&] {
        m_timer.Stop();
        m_timer.Attach(nullptr, nullptr);
        m_voice.reset();
    });
}

bool SpeechMSW::Say(const wxString& text, bool asynchronous)
{
    bool spoken = false;
    RunOnMainThread([&] {
        m_timer.Stop();
        if (!m_voice || !m_voice->Speak(text))
            return;
        if (asynchronous)
            m_timer.Start(kPollIntervalMs, wxTIMER_CONTINUOUS);
        spoken = true;
    });
    return spoken;
}
