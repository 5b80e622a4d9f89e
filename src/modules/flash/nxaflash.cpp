#include "nxaflash.h"

#include "commandargs.h"
#include "flash.h"
#include "formwork.h"
#include "kovaform.h"
#include "objectrows.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <memory>

namespace {

ObjectMap<Flash>& Flashes()
{
    static ObjectMap<Flash> flashes(nxaFlash::Frame::Objects());
    return flashes;
}

// Runs the work with the calling form's movie when the id exists and answers
// what it makes; the row's default result when the id is unknown or the form
// is gone. The work runs on the main thread, where the plug-in lives.
json_object* WithCallingMovie(const CallInfo& call, int32_t argc, json_object** argv,
                              const std::function<json_object*(KovaForm&)>& work)
{
    return WithObject(Flashes(), argc, argv, [&](Flash&) {
        json_object* result = nullptr;
        if (!WithForm<KovaForm>(call.formId, [&](KovaForm& form) { result = work(form); }))
            return RowFallback();
        return result;
    });
}

// The plug-in is called on the main thread only, by either road.
const RowSpec kRows[] = {
    {"nxa.Flash.create", nxaFlash::create, 0, "-1", kMainThread},
    {"nxa.Flash.callFunction", nxaFlash::callFunction, 4, "0", kObjectRow | kMainThread},
    {"nxa.Flash.getVar", nxaFlash::getVar, 2, "\"\"", kObjectRow | kMainThread},
    {"nxa.Flash.loadMovie", nxaFlash::loadMovie, 3, "0", kObjectRow | kMainThread},
    {"nxa.Flash.setVar", nxaFlash::setVar, 3, "0", kObjectRow | kMainThread},
};

} // namespace

struct nxaFlash::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaFlash::Definition>;

namespace nxaFlash {

json_object* __cdecl create(CallInfo*, int32_t, json_object**)
{
    return AddObject(Flashes(), std::make_shared<Flash>());
}

json_object* __cdecl callFunction(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithCallingMovie(*call, argc, argv, [&](KovaForm& form) {
        form.CallMovieFunction(ReadText(argv[1]), ReadText(argv[2]), ReadText(argv[3]));
        return MakeInt(0);
    });
}

json_object* __cdecl getVar(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithCallingMovie(*call, argc, argv,
                            [&](KovaForm& form) { return MakeText(form.GetVariable(ReadText(argv[1]))); });
}

json_object* __cdecl loadMovie(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithCallingMovie(*call, argc, argv, [&](KovaForm& form) {
        // Level 0 is the calling movie's own.
        const int64_t level = int64_t(ReadInt(argv[1])) + 1;
        form.LoadMovie(int32_t(std::min<int64_t>(level, INT32_MAX)), ReadText(argv[2]));
        return MakeInt(0);
    });
}

json_object* __cdecl setVar(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithCallingMovie(*call, argc, argv, [&](KovaForm& form) {
        form.SetVariable(ReadText(argv[1]), ReadText(argv[2]));
        return MakeInt(0);
    });
}

} // namespace nxaFlash
