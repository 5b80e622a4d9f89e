#pragma once

#include "eventdispatcher.h"
#include "objectmap.h"

#include <memory>

class SpeechMSW;

// The movie's Application object: receives the application and form events
// of the broadcasters and owns the voice of "nxa.Application.say".
class Application : public EventDispatcher {
public:
    // Makes the voice as well; an object whose voice could not be made is
    // kept and simply does not speak.
    explicit Application(const CallInfo& call);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    SpeechMSW* Speech() const { return m_speech.get(); }

private:
    std::unique_ptr<SpeechMSW> m_speech;
};

// The module's Application objects.
ObjectMap<Application>& Applications();
