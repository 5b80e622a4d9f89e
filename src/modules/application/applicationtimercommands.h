#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The "nxa.Application.Timer." rows: a TimerManager holds the ten numbered
// timers of one movie-side timer object.
namespace nxaApplication {

// () -> new TimerManager id (-1)
json_object* __cdecl timerCreate(CallInfo* call, int32_t argc, json_object** argv);
// (id, timer number, interval ms, cycle) -> 0
json_object* __cdecl timerStart(CallInfo* call, int32_t argc, json_object** argv);
// (id, timer number) -> 0
json_object* __cdecl timerStop(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> 0
json_object* __cdecl timerStopAll(CallInfo* call, int32_t argc, json_object** argv);


} // namespace nxaApplication
