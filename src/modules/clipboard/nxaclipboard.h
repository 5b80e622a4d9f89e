#pragma once

#include "commandrow.h"
#include "moduleframe.h"

#include <cstdint>

// The Clipboard module: text on the system clipboard, and copy, cut and paste
// typed as keyboard shortcuts into whatever window has the focus. No objects,
// no state; every row takes any arguments and answers "".
namespace nxaClipboard {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// Empties the clipboard.
json_object* __cdecl clear(CallInfo* call, int32_t argc, json_object** argv);
// (value, ...): puts the first argument's text on the clipboard; nothing
// without one.
json_object* __cdecl copyString(CallInfo* call, int32_t argc, json_object** argv);
// Types Ctrl+C, Ctrl+X, Ctrl+V.
json_object* __cdecl copy(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl cut(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl paste(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaClipboard

extern template class ModuleFrame<nxaClipboard::Definition>;
