#include "nxamacshell.h"

#include "commandargs.h"
#include "rowcontext.h"

#include <mutex>

namespace {

std::mutex g_dispatcherLock;
std::shared_ptr<const EventDispatcher> g_dispatcher;

// Every row answers its constant, which is also its declared fallback.
json_object* __cdecl answerConstant(CallInfo*, int32_t, json_object**)
{
    return RowFallback();
}

// No row reads its arguments.
const RowSpec kRows[] = {
    {"nxa.MacShell.create", nxaMacShell::create, kAnyArgCount, "-1", kAnyThread},
    {"nxa.MacShell.close", answerConstant, kAnyArgCount, "0", kAnyThread},
    {"nxa.MacShell.exec", answerConstant, kAnyArgCount, "0", kAnyThread},
    {"nxa.MacShell.exitCode", answerConstant, kAnyArgCount, "\"\"", kAnyThread},
    {"nxa.MacShell.isRunning", answerConstant, kAnyArgCount, "false", kAnyThread},
    {"nxa.MacShell.output", answerConstant, kAnyArgCount, "\"\"", kAnyThread},
};

} // namespace

struct nxaMacShell::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaMacShell::Definition>;

namespace nxaMacShell {

json_object* __cdecl create(CallInfo* call, int32_t, json_object**)
{
    std::lock_guard<std::mutex> hold(g_dispatcherLock);
    if (!g_dispatcher)
        g_dispatcher = std::make_shared<const EventDispatcher>(*call);
    return MakeInt(-1);
}

std::shared_ptr<const EventDispatcher> KeptDispatcher()
{
    std::lock_guard<std::mutex> hold(g_dispatcherLock);
    return g_dispatcher;
}

} // namespace nxaMacShell
