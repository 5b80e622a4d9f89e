#pragma once

#include <wx/timer.h>

class EventDispatcher;
class SpeechVoice;

// The completion poll of a SpeechMSW: at each tick it asks the voice whether
// it is done; the first time it is, it posts "onSayComplete" with "{ }" to the
// dispatcher's form and caller and stops. Main thread.
class SpeechMSWTimer : public wxTimer {
public:
    SpeechMSWTimer() = default;

    // Both stay owned by the SpeechMSW; null until its voice exists.
    void Attach(SpeechVoice* voice, const EventDispatcher* dispatcher);
    void Notify() override;

private:
    SpeechVoice* m_voice = nullptr;
    const EventDispatcher* m_dispatcher = nullptr;
};
