#pragma once

#include "moduleframe.h"

// The AppleScript module: the command names of another system's script
// facility. On this platform every row answers a constant, whatever its
// arguments, and does nothing else; "create" answers -1 and makes nothing.
namespace nxaAppleScript {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

} // namespace nxaAppleScript

extern template class ModuleFrame<nxaAppleScript::Definition>;
