#pragma once

#include "moduledescriptor.h"

// The AppleScript module: the command names of another system's script
// facility. On this platform every row answers a constant, whatever its
// arguments, and does nothing else; "create" answers -1 and makes nothing.
namespace nxaAppleScript {

ModuleDescriptor& Module();
// Appends the ten rows; always succeeds.
bool Initialise();
// Frees the rows.
void Shutdown();

} // namespace nxaAppleScript
