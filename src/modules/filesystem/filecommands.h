#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The rows of the FileSystem object that work on single files. The first
// argument of each, but create, is a FileSystem id; asynchronous appendFile,
// copyFile and deleteFile report "onComplete" or "onIOError" to the form and
// caller that created that object.
namespace nxaFileSystem {

// (): a new FileSystem id.
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);
// (id, path, text): the text added to the file's end as UTF-8, LF as CR LF.
json_object* __cdecl appendFile(CallInfo* call, int32_t argc, json_object** argv);
// (id, source, destination): a copy over any existing destination.
json_object* __cdecl copyFile(CallInfo* call, int32_t argc, json_object** argv);
// (id, target, working folder, description, icon path, icon index, shortcut
// path): a shell link file; main thread (COM).
json_object* __cdecl createShortcut(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): true when the file was deleted.
json_object* __cdecl deleteFile(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): true for an existing file, false for a folder.
json_object* __cdecl fileExists(CallInfo* call, int32_t argc, json_object** argv);
// (id, extension or path): the program registered to open the file type.
json_object* __cdecl getAssociation(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the length in bytes as decimal text, "0" when unreadable.
json_object* __cdecl getFileSize(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the decoded text of the file.
json_object* __cdecl loadFile(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the file's bytes as lower-case hexadecimal pairs.
json_object* __cdecl loadFileHEX(CallInfo* call, int32_t argc, json_object** argv);
// (id, path, text): the file replaced by the text as UTF-8, LF as CR LF.
json_object* __cdecl saveFile(CallInfo* call, int32_t argc, json_object** argv);
// (id, path, byte text): the file replaced by the bytes the text spells.
json_object* __cdecl saveFileHEX(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaFileSystem
