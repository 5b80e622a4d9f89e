#pragma once

#include <wx/string.h>

// Writes the line and a line feed to the debugger output, but only when
// someone can read it: a debugger attached to the process, or a debug-output
// monitor running (checked at most once a second, so a monitor started later
// sees the lines from then on). The system's writer costs a round trip to the
// kernel or the Wine server on every call even when nobody reads, and the
// command centre traces every call.
void WriteDebugLine(const wxString& line);
