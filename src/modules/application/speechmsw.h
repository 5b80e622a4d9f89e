#pragma once

#include "eventdispatcher.h"
#include "speechmswtimer.h"

#include <wx/string.h>

#include <memory>

class SpeechVoice;

// The base of the speech objects; it has no operations of its own.
class Speech {
public:
    virtual ~Speech() = default;
};

// The voice of one Application object. Say hands a text to the voice and,
// for an asynchronous call, polls every 100 ms until the voice is done, then
// posts "onSayComplete" with "{ }" to the object's form and caller.
//
// The voice and the poll timer belong to the main thread: Init, Release and
// Say do their work there (RunOnMainThread), whichever thread calls them.
class SpeechMSW : public Speech, public EventDispatcher {
public:
    SpeechMSW(int32_t formId, int32_t callerId);
    ~SpeechMSW() override;
    SpeechMSW(const SpeechMSW&) = delete;
    SpeechMSW& operator=(const SpeechMSW&) = delete;

    // Creates the voice; false (and no voice) when it cannot be made.
    virtual bool Init();
    // Stops the poll and lets the voice go.
    virtual void Release();
    // Speaks the text without waiting; when asynchronous, starts the poll that
    // reports the end. False when there is no voice or it refused the text.
    virtual bool Say(const wxString& text, bool asynchronous);

    bool HasVoice() const { return m_voice != nullptr; }

private:
    std::unique_ptr<SpeechVoice> m_voice;
    SpeechMSWTimer m_timer;
};
