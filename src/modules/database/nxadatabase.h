#pragma once

#include "commandrow.h"
#include "moduledescriptor.h"
#include "moduleobjects.h"

#include <cstdint>

struct json_object;

// The Database module: connections to MySQL servers and SQLite database
// files. A movie creates a connection object, connects or opens it, runs
// statements and reads the held result of the last one. Every command does
// its whole work in the handler; the module sends no events. The rows of each
// back end are declared in mysqlcommands.h and sqlitecommands.h.
namespace nxaDatabase {

ModuleDescriptor& Module();
bool Initialise();
// Frees the rows and releases every object, which closes its connection or
// file; ids keep counting on.
void Shutdown();
// The module's object maps (one per back end) and their one lock.
ModuleObjects& Objects();

// (any arguments) -> 0; makes nothing (0)
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaDatabase
