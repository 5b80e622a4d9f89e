#include "speechvoice.h"

#include "sapivoice.h"

#include <mutex>

namespace {

std::mutex g_factoryLock;
SpeechVoiceFactory g_factory;

} // namespace

std::unique_ptr<SpeechVoice> CreateSpeechVoice()
{
    SpeechVoiceFactory factory;
    {
        std::lock_guard<std::mutex> hold(g_factoryLock);
        factory = g_factory;
    }
    return factory ? factory() : SapiVoice::Create();
}

void SetSpeechVoiceFactory(SpeechVoiceFactory factory)
{
    std::lock_guard<std::mutex> hold(g_factoryLock);
    g_factory = std::move(factory);
}
