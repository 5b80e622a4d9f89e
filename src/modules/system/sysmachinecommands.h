#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The System rows that answer facts about the machine, the operating system
// and the user. Each takes the Sys id alone and changes nothing.
namespace nxaSystem {

json_object* __cdecl get_computerName(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_computerCompany(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_computerOwner(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_CPUSpeed(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_RAMSize(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_isAdmin(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_language(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_localTime(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_servicePack(CallInfo* call, int32_t argc, json_object** argv);
// "major.minor"; get_verString answers the same.
json_object* __cdecl get_winVerString(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_verString(CallInfo* call, int32_t argc, json_object** argv);
// The toolkit's description of the system; get_verStringDetail answers the same.
json_object* __cdecl get_winVerStringDetail(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_verStringDetail(CallInfo* call, int32_t argc, json_object** argv);
// The variants for other systems: always "".
json_object* __cdecl get_linVerString(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_linVerStringDetail(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_macVerString(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl get_macVerStringDetail(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaSystem
