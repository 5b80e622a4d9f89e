#include "applicationtimercommands.h"

#include "nxaapplication.h"
#include "objectrows.h"
#include "timermanager.h"

namespace {

ObjectMap<TimerManager>& TimerManagers()
{
    static ObjectMap<TimerManager> managers(nxaApplication::Frame::Objects());
    return managers;
}

} // namespace

namespace nxaApplication {

// Every Timer row runs on the main thread (its row flag), also when it
// arrives by the asynchronous road: the toolkit's timers live there.
json_object* __cdecl timerCreate(CallInfo* call, int32_t, json_object**)
{
    return AddObject(TimerManagers(), std::make_shared<TimerManager>(call->formId, call->callerId));
}

json_object* __cdecl timerStart(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(TimerManagers(), argc, argv, [&](TimerManager& manager) {
        manager.Start(ReadInt(argv[1]), ReadInt(argv[2]), ReadFlag(argv[3]));
        return MakeInt(0);
    });
}

json_object* __cdecl timerStop(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(TimerManagers(), argc, argv, [&](TimerManager& manager) {
        manager.Stop(ReadInt(argv[1]));
        return MakeInt(0);
    });
}

json_object* __cdecl timerStopAll(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(TimerManagers(), argc, argv, [](TimerManager& manager) {
        manager.StopAll();
        return MakeInt(0);
    });
}

} // namespace nxaApplication
