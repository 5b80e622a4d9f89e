#pragma once

#include "commandrow.h"
#include "moduleframe.h"

#include <cstdint>

struct json_object;

// The HTTP module: downloads a URL into a local file or into a text on a
// transfer thread per get, reported through "onProgress" and
// "onBinaryTransferComplete" / "onTransferComplete" or "onError". Relies on
// libcurl's global state from the FTP module's initialisation.
namespace nxaHTTP {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// () -> new CurlHttp id (-1)
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> 0; stops the current get, which reports "onError" (0)
json_object* __cdecl abort(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> 0; stops the current get without an event (0)
json_object* __cdecl close(CallInfo* call, int32_t argc, json_object** argv);
// (id, url, user, password, local path) -> 0 (0)
json_object* __cdecl getFile(CallInfo* call, int32_t argc, json_object** argv);
// (id, url, user, password) -> 0 (0)
json_object* __cdecl getString(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaHTTP

extern template class ModuleFrame<nxaHTTP::Definition>;
