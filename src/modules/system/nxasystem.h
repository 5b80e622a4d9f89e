#pragma once

#include "commandrow.h"
#include "moduleframe.h"

#include <cstdint>

struct json_object;

// The System module: facts about the machine and its drives, and the CD
// tray. Its row handlers are declared in the namespace's other headers
// (sysmachinecommands.h, sysdrivecommands.h). No row needs the main thread
// and the module raises no events.
namespace nxaSystem {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// (any arguments): enters a new Sys and answers its id.
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaSystem

extern template class ModuleFrame<nxaSystem::Definition>;
