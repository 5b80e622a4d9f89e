#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The rows of the MySQL connection object. The first argument of each, but
// mysCreate, is a DbMySQL id (its own counter).
namespace nxaDatabase {

// () -> new DbMySQL id (-1)
json_object* __cdecl mysCreate(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> 0: connection and result released (0)
json_object* __cdecl mysClose(CallInfo* call, int32_t argc, json_object** argv);
// (id, host, port, compress, user, password, database) -> true when connected (false)
json_object* __cdecl mysConnect(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> rows of the held result ([])
json_object* __cdecl mysGetData(CallInfo* call, int32_t argc, json_object** argv);
// (id, row, field) -> the field's text ("")
json_object* __cdecl mysGetField(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> the last error message ("")
json_object* __cdecl mysGetLastError(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> the connection's last inserted id, low 32 bits (0)
json_object* __cdecl mysGetLastInsertedId(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> rows in the held result (0)
json_object* __cdecl mysGetRecordCount(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> the server's status line ("")
json_object* __cdecl mysGetStatus(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> the connected flag (false)
json_object* __cdecl mysIsConnected(CallInfo* call, int32_t argc, json_object** argv);
// (id, SQL text) -> true when the statement ran (false)
json_object* __cdecl mysRunQuery(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaDatabase
