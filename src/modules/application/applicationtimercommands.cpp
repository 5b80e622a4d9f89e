#include "applicationtimercommands.h"

#include "commandargs.h"
#include "mainthread.h"
#include "nxaapplication.h"
#include "objectmap.h"
#include "timermanager.h"

namespace {

ObjectMap<TimerManager>& TimerManagers()
{
    static ObjectMap<TimerManager> managers(nxaApplication::ModuleLock());
    return managers;
}

// The manager under the first argument when the count is right, else null.
std::shared_ptr<TimerManager> FindManager(int32_t argc, json_object** argv, int32_t expectedArgc)
{
    if (argc != expectedArgc)
        return nullptr;
    return TimerManagers().Find(ReadInt(argv[0]));
}

} // namespace

namespace nxaApplication {

// Timers are made, started and stopped on the main thread, also for calls
// that arrive by the asynchronous road.
json_object* __cdecl timerCreate(CallInfo* call, int32_t argc, json_object**)
{
    if (argc != 0)
        return MakeInt(-1);
    std::shared_ptr<TimerManager> manager;
    RunOnMainThread([&] { manager = std::make_shared<TimerManager>(call->formId, call->callerId); });
    if (!manager)
        return MakeInt(-1);
    return MakeInt(TimerManagers().Add(manager));
}

json_object* __cdecl timerStart(CallInfo*, int32_t argc, json_object** argv)
{
    if (const auto manager = FindManager(argc, argv, 4)) {
        const int32_t number = ReadInt(argv[1]);
        const int32_t intervalMs = ReadInt(argv[2]);
        const bool repeat = ReadFlag(argv[3]);
        RunOnMainThread([&] { manager->Start(number, intervalMs, repeat); });
    }
    return MakeInt(0);
}

json_object* __cdecl timerStop(CallInfo*, int32_t argc, json_object** argv)
{
    if (const auto manager = FindManager(argc, argv, 2)) {
        const int32_t number = ReadInt(argv[1]);
        RunOnMainThread([&] { manager->Stop(number); });
    }
    return MakeInt(0);
}

json_object* __cdecl timerStopAll(CallInfo*, int32_t argc, json_object** argv)
{
    if (const auto manager = FindManager(argc, argv, 1))
        RunOnMainThread([&] { manager->StopAll(); });
    return MakeInt(0);
}

void ClearTimerManagers()
{
    TimerManagers().Clear();
}

} // namespace nxaApplication
