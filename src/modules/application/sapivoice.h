#pragma once

#include "speechvoice.h"

#include <memory>

struct ISpVoice;

// The system's SAPI 5 text-to-speech voice. COM must be initialised on the
// thread that makes and uses it (the main thread).
class SapiVoice : public SpeechVoice {
public:
    // The voice, or null when the SAPI voice object cannot be made.
    static std::unique_ptr<SpeechVoice> Create();

    ~SapiVoice() override;
    SapiVoice(const SapiVoice&) = delete;
    SapiVoice& operator=(const SapiVoice&) = delete;

    bool Speak(const wxString& text) override;
    bool IsSpeakComplete() override;

private:
    explicit SapiVoice(ISpVoice* voice) : m_voice(voice) {}

    ISpVoice* m_voice; // owned reference
};
