#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The rows of the SQLite database object. The first argument of each, but
// sqlCreate, is a DbSQLite id (its own counter).
namespace nxaDatabase {

// () -> new DbSQLite id (-1)
json_object* __cdecl sqlCreate(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> 0: file closed, result and error text emptied (0)
json_object* __cdecl sqlClose(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> true when there is an error text (false)
json_object* __cdecl sqlError(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> the error text ("")
json_object* __cdecl sqlErrorDetails(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> rows of the held result ([])
json_object* __cdecl sqlGetData(CallInfo* call, int32_t argc, json_object** argv);
// (id, row, column) -> the field's text ("")
json_object* __cdecl sqlGetField(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> rows in the held result (0)
json_object* __cdecl sqlGetRecordCount(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> the held result as XML ("")
json_object* __cdecl sqlGetXml(CallInfo* call, int32_t argc, json_object** argv);
// (id, path) -> true when the file was opened (false)
json_object* __cdecl sqlOpen(CallInfo* call, int32_t argc, json_object** argv);
// (id, SQL text) -> 0 whatever the outcome; error tells it (0)
json_object* __cdecl sqlRunQuery(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaDatabase
