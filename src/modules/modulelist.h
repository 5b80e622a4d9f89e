#pragma once

#include "moduledescriptor.h"

#include <vector>

// One built-in module in the start-up list.
struct BuiltInModule {
    const char* name;             // "Application", "Forms", ...
    ModuleDescriptor* descriptor;
};

// The 29 built-in modules in their fixed start-up order. This is the one
// place that lists them: a module that is written adds its header here and
// points its entry at its own descriptor (README.md beside this file shows a
// module's files). Until then its entry has an empty table (its
// initialisation succeeds and registers nothing).
const std::vector<BuiltInModule>& BuiltInModuleTable();

// The descriptors of BuiltInModuleTable, in order, for CommandCentre::Initialise.
std::vector<ModuleDescriptor*> BuiltInModules();
