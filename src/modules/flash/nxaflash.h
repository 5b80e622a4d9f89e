#pragma once

#include "commandrow.h"
#include "moduleframe.h"

#include <cstdint>

struct json_object;

// The Flash module: a movie calls its own functions, reads and sets its own
// variables and loads further movies into its levels. Every command acts on
// the movie of the calling form, whatever form created the id; an id that was
// never handed out, or a calling form that is gone, answers the default
// result (in brackets) without asking the movie.
namespace nxaFlash {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// () -> new id, from 0 (-1; any argument creates nothing)
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);
// (id, functionName, parametersString, delimiter): the parts of the text as
// string arguments, the answer dropped; 0
json_object* __cdecl callFunction(CallInfo* call, int32_t argc, json_object** argv);
// (id, variableName) -> the value as text ("")
json_object* __cdecl getVar(CallInfo* call, int32_t argc, json_object** argv);
// (id, targetLevel, moviePath): loads the movie into level targetLevel + 1,
// so the calling movie keeps level 0; 0
json_object* __cdecl loadMovie(CallInfo* call, int32_t argc, json_object** argv);
// (id, variableName, variableValue); 0
json_object* __cdecl setVar(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaFlash

extern template class ModuleFrame<nxaFlash::Definition>;
