#include "nxaapplescript.h"

#include "rowcontext.h"

namespace {

// Every row answers its constant, which is also its declared fallback.
json_object* __cdecl answerConstant(CallInfo*, int32_t, json_object**)
{
    return RowFallback();
}

// No row reads its arguments.
const RowSpec kRows[] = {
    {"nxa.AppleScript.create", answerConstant, kAnyArgCount, "-1", kAnyThread},
    {"nxa.AppleScript.compileScript", answerConstant, kAnyArgCount, "false", kAnyThread},
    {"nxa.AppleScript.getCompilationError", answerConstant, kAnyArgCount, "\"\"", kAnyThread},
    {"nxa.AppleScript.getLastError", answerConstant, kAnyArgCount, "\"\"", kAnyThread},
    {"nxa.AppleScript.getProperty", answerConstant, kAnyArgCount, "\"\"", kAnyThread},
    {"nxa.AppleScript.getResult", answerConstant, kAnyArgCount, "\"\"", kAnyThread},
    {"nxa.AppleScript.run", answerConstant, kAnyArgCount, "false", kAnyThread},
    {"nxa.AppleScript.runEvent", answerConstant, kAnyArgCount, "false", kAnyThread},
    {"nxa.AppleScript.setProperty", answerConstant, kAnyArgCount, "0", kAnyThread},
    {"nxa.AppleScript.setScript", answerConstant, kAnyArgCount, "0", kAnyThread},
};

} // namespace

struct nxaAppleScript::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaAppleScript::Definition>;

namespace nxaAppleScript {

} // namespace nxaAppleScript
