#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The "nxa.Application." rows: the Application object, the main form's
// window, leaving the application, the command line, environment and project
// variables, speech and printing. The command centre checks the argument
// counts; an unknown object id answers the row's fallback (nxaapplication.cpp).
namespace nxaApplication {

json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl bringToFront(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl createForm(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl delay(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl doEvents(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl enableExitHandler(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl exit(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl exitWithCode(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl getCMDParams(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl getEnvVar(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl getFormNames(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl getGlobalVar(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl getSecureVar(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl init(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl maximize(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl minimize(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl minimizeToTray(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl printVar(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl restore(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl say(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl sendToBack(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl setEnvVar(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl shake(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_filename(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl isMinimized(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_path(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_title(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl set_title(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl set_windowStaysOnTop(CallInfo* call, int32_t argc, json_object** argv);


} // namespace nxaApplication
