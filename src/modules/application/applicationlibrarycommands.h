#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The "nxa.Application.Library." rows: write the project's library files out,
// or hand one back as text. Called by the asynchronous road, each reports
// "onComplete" or "onIOError" to its Library object's form and caller.
namespace nxaApplication {

// () -> new Library id (-1)
json_object* __cdecl libraryCreate(CallInfo* call, int32_t argc, json_object** argv);
// (id, extractDir) -> true when every file was written (false)
json_object* __cdecl libraryExtractAllToDir(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> the same into the working directory (false)
json_object* __cdecl libraryExtractAllToExecPath(CallInfo* call, int32_t argc, json_object** argv);
// (id, packedFile, extractedFile) -> true when written into the working directory (false)
json_object* __cdecl libraryExtractToExecPath(CallInfo* call, int32_t argc, json_object** argv);
// (id, packedFile, extractedFilePath) -> true when written (false)
json_object* __cdecl libraryExtractToFile(CallInfo* call, int32_t argc, json_object** argv);
// (id, packedFile) -> the file's content as text, empty on failure ("")
json_object* __cdecl libraryExtractToVar(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaApplication
