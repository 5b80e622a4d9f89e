#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The rows of the BinaryFile object. The first argument of each, but
// bfCreate, is a BinaryFile id (its own counter, apart from FileSystem ids).
// None sends an event.
namespace nxaFileSystem {

// (): a new BinaryFile id.
json_object* __cdecl bfCreate(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the text buffer added to the file's end.
json_object* __cdecl bfAppendData(CallInfo* call, int32_t argc, json_object** argv);
// (id, byte text): the text buffer replaced by the bytes the text spells.
json_object* __cdecl bfSetData(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the file replaced by the text buffer.
json_object* __cdecl bfWriteData(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the array buffer added to the file's end.
json_object* __cdecl bfAppendDataBA(CallInfo* call, int32_t argc, json_object** argv);
// (id, array): the array buffer replaced by one byte per element.
json_object* __cdecl bfSetDataBA(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the file replaced by the array buffer.
json_object* __cdecl bfWriteDataBA(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaFileSystem
