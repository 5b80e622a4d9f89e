#pragma once

#include "commandrow.h"
#include "moduleframe.h"

#include <cstdint>

// The DX9 module: the main form's movie switches the main form to exclusive
// Direct3D full screen, back to the desktop, and lists the display modes of
// the default adapter. Calls from any other form do nothing and answer the
// default result. The module keeps no objects; the first argument of
// "enable", "disable" and "enumerateModes" is an id that is read and ignored.
namespace nxaDX9 {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// -1, whatever the arguments.
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);
// (id, width, height): true when form 0 is in full screen (false).
json_object* __cdecl enable(CallInfo* call, int32_t argc, json_object** argv);
// (id): form 0 back to the desktop; 0.
json_object* __cdecl disable(CallInfo* call, int32_t argc, json_object** argv);
// (id): [[width, height], ...] ascending, each size once ([]).
json_object* __cdecl enumerateModes(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaDX9

extern template class ModuleFrame<nxaDX9::Definition>;
