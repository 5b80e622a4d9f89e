#pragma once

#include "commandrow.h"
#include "moduledescriptor.h"
#include "moduleobjects.h"

#include <cstdint>

struct json_object;

// The System module: facts about the machine and its drives, and the CD
// tray. Its row handlers are declared in the namespace's other headers
// (sysmachinecommands.h, sysdrivecommands.h). No row needs the main thread
// and the module raises no events.
namespace nxaSystem {

// The module's entry in the start-up list.
ModuleDescriptor& Module();
// Appends the module's rows; always succeeds.
bool Initialise();
// Frees the rows, then empties the module's object maps (their ids keep
// counting on). The descriptor keeps its two functions, so the module can be
// initialised again.
void ModuleShutdown();

// The module's object maps (Sys, and those of the later groups) and their
// one lock.
ModuleObjects& Objects();

// (any arguments): enters a new Sys and answers its id.
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaSystem
