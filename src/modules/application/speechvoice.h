#pragma once

#include <wx/string.h>

#include <functional>
#include <memory>

// A text-to-speech voice as SpeechMSW uses it. The real one is the system's
// SAPI voice (sapivoice.h); tests put their own behind SetSpeechVoiceFactory.
// Voices are made and used on the main thread.
class SpeechVoice {
public:
    virtual ~SpeechVoice() = default;

    // Hands the text to the voice and returns at once while it speaks; text
    // handed over while the voice is still speaking is spoken after it.
    // False when the voice refused the text.
    virtual bool Speak(const wxString& text) = 0;
    // True once the voice has spoken everything it was handed.
    virtual bool IsSpeakComplete() = 0;
};

// Makes a voice, or null when none can be made.
using SpeechVoiceFactory = std::function<std::unique_ptr<SpeechVoice>()>;

// Makes a voice with the current factory (the SAPI voice unless a test set
// another).
std::unique_ptr<SpeechVoice> CreateSpeechVoice();
// Test seam: an empty function restores the SAPI voice.
void SetSpeechVoiceFactory(SpeechVoiceFactory factory);
