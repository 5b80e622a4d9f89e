#pragma once

#include <array>
#include <string>

// The four classic attribute flags of a file or folder.

// Archive, hidden, read-only and system, in that order. A path whose
// attributes cannot be read shows all four set.
std::array<bool, 4> ReadAttributeFlags(const std::wstring& path);

// Sets ("+") or clears ("-") the one flag an attribute code names: exactly
// "+A", "-A", "+H", "-H", "+R", "-R", "+S" or "-S". The other flags stay.
// False for any other code (nothing changes), a path whose attributes cannot
// be read, and a failed change.
bool ApplyAttributeCode(const std::wstring& path, const std::wstring& code);
