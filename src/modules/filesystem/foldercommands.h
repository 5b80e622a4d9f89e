#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The rows of the FileSystem object that work on folders, search the tree
// and read or change what the file system records about a path. The first
// argument of each is a FileSystem id; events of asynchronous calls go to
// the form and caller that created that object.
namespace nxaFileSystem {

// (id, source, destination): a copy of the tree as a new folder;
// "onComplete" or "onIOError".
json_object* __cdecl copyFolder(CallInfo* call, int32_t argc, json_object** argv);
// (id, folder, "ask" or "noask"): the tree deleted for good, after a Yes to
// the question in "ask" mode; "onCancel" for a No, else "onComplete" or
// "onIOError". Main thread (the question).
json_object* __cdecl deleteFolder(CallInfo* call, int32_t argc, json_object** argv);
// (id, search path): the matching files below the path's folder, joined with
// ";"; "onResult" with the text, "onIOError" when none.
json_object* __cdecl findFile(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): true for an existing folder.
json_object* __cdecl folderExists(CallInfo* call, int32_t argc, json_object** argv);
// (id): the working folder ending with "\".
json_object* __cdecl getCurrentDir(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): archive, hidden, read-only and system as four flags.
json_object* __cdecl getFileAttribs(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): always "".
json_object* __cdecl getFileCreator(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the local creation date "YYYY-MM-DD"; "" when unreadable.
json_object* __cdecl getFileDate(CallInfo* call, int32_t argc, json_object** argv);
// (id, folder, pattern): the names of the folder's visible files matching
// the pattern; "onResult" with the list, "onIOError" when empty.
json_object* __cdecl getFileList(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the local time of the last change "HH:MM:SS"; "" when
// unreadable.
json_object* __cdecl getFileTime(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): always "".
json_object* __cdecl getFileType(CallInfo* call, int32_t argc, json_object** argv);
// (id, folder): the names of every subfolder; events as getFileList.
json_object* __cdecl getFolderList(CallInfo* call, int32_t argc, json_object** argv);
// (id, folder): the tree's bytes in whole KiB as decimal text.
json_object* __cdecl getFolderSize(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the path's long form; "" when it has none.
json_object* __cdecl getLongPathName(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): the path's short (8.3) form; "" when it has none.
json_object* __cdecl getShortPathName(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): true when the one folder was made.
json_object* __cdecl makeFolder(CallInfo* call, int32_t argc, json_object** argv);
// (id, path): true when the process's working folder was set.
json_object* __cdecl setCurrentDir(CallInfo* call, int32_t argc, json_object** argv);
// (id, path, code): true when the flag the code names was set or cleared.
json_object* __cdecl setFileAttribs(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaFileSystem
