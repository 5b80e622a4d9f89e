#pragma once

#include "moduledescriptor.h"

#include <cstdint>
#include <vector>

// One row as a module's test pins it: name, argument count (kAnyArgCount for
// any) and fallback answer as JSON text.
struct PinnedRow {
    const char* name;
    int32_t argc;
    const char* fallback;
};

// Expects the module's registered rows to be exactly the pinned ones, in the
// same order, with the same counts and fallbacks (compared as JSON values),
// so a renamed, missing, added or reordered row fails loudly.
void ExpectPinnedTable(const ModuleDescriptor& module, const std::vector<PinnedRow>& pinned);
