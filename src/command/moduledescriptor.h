#pragma once

#include "commandrow.h"
#include "rowrule.h"

#include <cstddef>
#include <cstdint>

// A module's entry in the start-up list: its two functions and, once it is
// initialised, its rows. `rules` runs beside `rows` (same count): the argument
// count, fallback and thread of each row, which the command centre enforces.
//
// Modules build their descriptor with ModuleFrame (moduleframe.h).
//
// Initialise and Shutdown are called only by the command centre, on the main
// thread; Shutdown also for a module whose Initialise never ran.
struct ModuleDescriptor {
    bool (*Initialise)();
    void (*Shutdown)();
    CommandRow* rows;
    int32_t rowCount;
    RowRule* rules;
};

// A descriptor with its two functions and no rows yet.
ModuleDescriptor MakeModuleDescriptor(bool (*initialise)(), void (*shutdown)());

// Grows the row array by one row {name, handler, InvokeRowHandler} with its
// rule. The name must be static text; it is not copied.
void AppendCommandRow(ModuleDescriptor& module, const RowSpec& spec);

// A row without a rule: any count, no fallback ("null"), any thread.
void AppendCommandRow(ModuleDescriptor& module, const char* name, CommandHandler handler);

// Appends a whole table in its order.
void AppendCommandRows(ModuleDescriptor& module, const RowSpec* specs, size_t count);
template <size_t N>
void AppendCommandRows(ModuleDescriptor& module, const RowSpec (&specs)[N])
{
    AppendCommandRows(module, specs, N);
}

// Frees the rows and rules; rows and rules become null and rowCount 0. The
// two functions stay, so the module can be initialised again (test programs do).
void ReleaseCommandRows(ModuleDescriptor& module);
