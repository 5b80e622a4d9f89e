#include "testmodule.h"

#include "commandargs.h"
#include "filewriteguard.h"
#include "mainthread.h"
#include "objectrows.h"

#include <json-c/json.h>

#include <wx/thread.h>
#include <wx/utils.h>

#include <new>

std::atomic<int> TestModuleLog::sleepsFinished{0};
std::atomic<bool> TestModuleLog::writeStarted{false};
std::atomic<int> TestModuleLog::writesFinished{0};
std::atomic<int> TestModuleLog::mainWorkRan{0};
std::atomic<int> TestModuleLog::mainWorkRefused{0};
std::atomic<bool> TestModuleLog::mainWorkStarted{false};

namespace {

std::mutex g_lock;
std::vector<RecordedCall> g_calls;

json_object* __cdecl Echo(CallInfo*, int32_t argc, json_object** argv)
{
    json_object* array = json_object_new_array();
    for (int32_t i = 0; i < argc; ++i)
        json_object_array_add(array, json_object_get(argv[i]));
    return array;
}

json_object* __cdecl DescribeCall(CallInfo* call, int32_t, json_object** argv)
{
    json_object* object = json_object_new_object();
    json_object_object_add(object, "formId", MakeInt(call->formId));
    json_object_object_add(object, "callerId", MakeInt(call->callerId));
    json_object_object_add(object, "isAsync", MakeInt(call->isAsync));
    int32_t reserved = 0;
    for (int32_t word : call->reserved)
        reserved |= word;
    json_object_object_add(object, "reserved", MakeInt(reserved));
    json_object_object_add(object, "argvNull", MakeFlag(argv == nullptr));
    return object;
}

json_object* __cdecl Nothing(CallInfo*, int32_t, json_object**)
{
    return nullptr;
}

json_object* __cdecl EmptyObject(CallInfo*, int32_t, json_object**)
{
    return json_object_new_object();
}

json_object* __cdecl Record(CallInfo* call, int32_t argc, json_object** argv)
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_calls.push_back(RecordedCall{argc > 0 ? ReadInt(argv[0]) : -1, std::this_thread::get_id(),
                                   wxThread::IsMain(), call->isAsync});
    return MakeInt(0);
}

json_object* __cdecl SleepFor(CallInfo*, int32_t argc, json_object** argv)
{
    if (argc != 1)
        return MakeInt(-1);
    wxMilliSleep(ReadInt(argv[0]));
    ++TestModuleLog::sleepsFinished;
    return MakeInt(0);
}

json_object* __cdecl SlowWrite(CallInfo*, int32_t argc, json_object** argv)
{
    if (argc != 1)
        return MakeInt(-1);
    {
        const FileWriteGuard writing;
        TestModuleLog::writeStarted = true;
        wxMilliSleep(ReadInt(argv[0]));
    }
    ++TestModuleLog::writesFinished;
    return MakeInt(0);
}

json_object* __cdecl MainWork(CallInfo*, int32_t, json_object**)
{
    TestModuleLog::mainWorkStarted = true;
    const bool ran = RunOnMainThread([] {
        if (wxThread::IsMain())
            ++TestModuleLog::mainWorkRan;
    });
    if (!ran)
        ++TestModuleLog::mainWorkRefused;
    return MakeFlag(ran);
}

json_object* __cdecl Throw(CallInfo*, int32_t, json_object**)
{
    throw std::bad_alloc();
}

ModuleObjects& TestObjects()
{
    static ModuleObjects objects;
    return objects;
}

// Objects of "nxa.Test.Thing.": create answers the id, value the first
// argument it was made with.
struct Thing {
    int32_t value;
};

ObjectMap<Thing>& Things()
{
    static ObjectMap<Thing> things(TestObjects());
    return things;
}

json_object* __cdecl CreateThing(CallInfo*, int32_t, json_object** argv)
{
    return AddObject(Things(), std::make_shared<Thing>(Thing{ReadInt(argv[0])}));
}

json_object* __cdecl ThingValue(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Things(), argc, argv, [](Thing& thing) { return MakeInt(thing.value); });
}

// Rows that carry rules, for the checks the command centre makes before a
// handler runs.
const RowSpec kRuledRows[] = {
    {"nxa.Test.counted", Record, 2, "\"wrong\"", kAnyThread},
    {"nxa.Test.mainOnly", Record, 1, "-2", kMainThread},
    {"nxa.Test.throw", Throw, kAnyArgCount, "[]", kAnyThread},
    {"nxa.Test.Thing.create", CreateThing, 1, "-1", kAnyThread},
    {"nxa.Test.Thing.value", ThingValue, 1, "-3", kObjectRow},
};

bool InitialiseTestModule()
{
    ModuleDescriptor& module = TestModule();
    AppendCommandRow(module, "nxa.Test.echo", Echo);
    AppendCommandRow(module, "nxa.Test.callInfo", DescribeCall);
    AppendCommandRow(module, "nxa.Test.nothing", Nothing);
    AppendCommandRow(module, "nxa.Test.empty", EmptyObject);
    for (const char* name : {"nxa.Test.record", "nxa.Dialogs.record", "nxa.Application.say",
                             "nxa.FileSystem.deleteFolder", "nxa.FileSystem.copyFile"})
        AppendCommandRow(module, name, Record);
    AppendCommandRow(module, "nxa.Test.sleep", SleepFor);
    AppendCommandRow(module, "nxa.Test.slowWrite", SlowWrite);
    AppendCommandRow(module, "nxa.Test.mainWork", MainWork);
    AppendCommandRows(module, kRuledRows);
    return true;
}

void ShutdownTestModule()
{
    ReleaseCommandRows(TestModule());
    TestObjects().ClearAll();
}

} // namespace

ModuleDescriptor& TestModule()
{
    static ModuleDescriptor module = MakeModuleDescriptor(InitialiseTestModule, ShutdownTestModule);
    return module;
}

void TestModuleLog::Reset()
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_calls.clear();
    sleepsFinished = 0;
    writeStarted = false;
    writesFinished = 0;
    mainWorkRan = 0;
    mainWorkRefused = 0;
    mainWorkStarted = false;
}

std::vector<RecordedCall> TestModuleLog::Calls()
{
    std::lock_guard<std::mutex> hold(g_lock);
    return g_calls;
}
