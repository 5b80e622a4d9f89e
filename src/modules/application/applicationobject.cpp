#include "applicationobject.h"

#include "nxaapplication.h"
#include "speechmsw.h"

Application::Application(const CallInfo& call)
    : EventDispatcher(call), m_speech(std::make_unique<SpeechMSW>(call.formId, call.callerId))
{
    m_speech->Init();
}

Application::~Application()
{
    m_speech->Release();
}

ObjectMap<Application>& Applications()
{
    static ObjectMap<Application> applications(nxaApplication::Frame::Objects());
    return applications;
}
