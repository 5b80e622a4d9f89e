#pragma once

#include "commandrow.h"

#include <cstdint>

// A module's entry in the start-up list. Each module defines one descriptor
// and its two functions, for example:
//
//   ModuleDescriptor& ClipboardModule()
//   {
//       static ModuleDescriptor module = {InitialiseClipboard, ShutdownClipboard, nullptr, 0};
//       return module;
//   }
//   bool InitialiseClipboard()
//   {
//       AppendCommandRow(ClipboardModule(), "nxa.Clipboard.copyString", copyString);
//       ...
//       return true;
//   }
//   void ShutdownClipboard()
//   {
//       ReleaseCommandRows(ClipboardModule());
//       g_objects.Clear();
//   }
//
// Initialise and Shutdown are called only by the command centre, on the main
// thread; Shutdown also for a module whose Initialise never ran.
struct ModuleDescriptor {
    bool (*Initialise)();
    void (*Shutdown)();
    CommandRow* rows;
    int32_t rowCount;
};

// Grows the row array by one row {name, handler, InvokeRowHandler}. The name
// must be static text; it is not copied.
void AppendCommandRow(ModuleDescriptor& module, const char* name, CommandHandler handler);

// Frees the row array; rows becomes null and rowCount 0. The two functions
// stay, so the module can be initialised again (test programs do).
void ReleaseCommandRows(ModuleDescriptor& module);
