#pragma once

#include "commandrow.h"
#include "moduleframe.h"

#include <cstdint>

struct json_object;

// The Encryption module: texts and files enciphered with Blowfish and a key
// text that every command takes again. Every command but create needs a live
// id and a calling form that is still registered; the file commands called
// asynchronously report "onComplete" or "onIOError" to the object's creator.
namespace nxaEncryption {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// () -> new id (-1)
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);
// (id, key, source path, destination path) -> true when the destination was written (false)
json_object* __cdecl decryptFile(CallInfo* call, int32_t argc, json_object** argv);
// (id, key, Base64 text) -> the text, or null (null)
json_object* __cdecl decryptString(CallInfo* call, int32_t argc, json_object** argv);
// (id, key, source path, destination path) -> true when the destination was written (false)
json_object* __cdecl encryptFile(CallInfo* call, int32_t argc, json_object** argv);
// (id, key, text) -> the Base64 text, or null (null)
json_object* __cdecl encryptString(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaEncryption

extern template class ModuleFrame<nxaEncryption::Definition>;
