#pragma once

#include "commandrow.h"
#include "moduleframe.h"

#include <cstdint>
#include <string>

struct json_object;

// The Database module: connections to MySQL servers and SQLite database
// files. A movie creates a connection object, connects or opens it, runs
// statements and reads the held result of the last one. Every command does
// its whole work in the handler; the module sends no events. The rows of each
// back end are declared in mysqlcommands.h and sqlitecommands.h.
namespace nxaDatabase {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// An argument as wide text, read as every command reads text (ReadText).
std::wstring ArgumentText(json_object* value);

// (any arguments) -> 0; makes nothing (0)
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaDatabase

extern template class ModuleFrame<nxaDatabase::Definition>;
