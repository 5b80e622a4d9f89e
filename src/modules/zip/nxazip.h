#pragma once

#include "commandrow.h"
#include "moduleframe.h"

#include <cstdint>

struct json_object;

// The Zip module: packs a folder tree into a ZIP archive and unpacks one into
// a folder. Each command does its whole work in the handler and answers with
// its result; the module sends no events.
namespace nxaZip {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// () -> new Zipper id (-1)
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);
// (id, archive path, folder) -> true when every entry was added (false)
json_object* __cdecl zip(CallInfo* call, int32_t argc, json_object** argv);
// (id, archive path, destination folder) -> 1 when every entry was extracted, else 0 (0)
json_object* __cdecl unzip(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaZip

extern template class ModuleFrame<nxaZip::Definition>;
