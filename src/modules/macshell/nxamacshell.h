#pragma once

#include "commandrow.h"
#include "eventdispatcher.h"
#include "moduleframe.h"

#include <cstdint>
#include <memory>

struct json_object;

// The MacShell module: the command names of another system's shell-command
// facility. On this platform every row answers a constant, whatever its
// arguments, and does nothing else.
namespace nxaMacShell {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// -1. The first create of the process keeps a dispatcher for the calling
// form and caller until the process ends; nothing is ever sent through it.
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);
// The dispatcher kept by the first create; null before it.
std::shared_ptr<const EventDispatcher> KeptDispatcher();

} // namespace nxaMacShell

extern template class ModuleFrame<nxaMacShell::Definition>;
