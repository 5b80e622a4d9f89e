#pragma once

#include <cstdint>
#include <string>

// What a shell link file holds. Empty texts are written as they are.
struct ShortcutSpec {
    std::wstring target;
    std::wstring workingFolder;
    std::wstring description;
    std::wstring iconPath;
    int32_t iconIndex = 0;
};

// Writes the shell link file at the path as given (no extension added),
// through the shell's link object. The calling thread must have COM
// initialised. True when the file was saved; a missing target still gives a
// link.
bool SaveShellShortcut(const ShortcutSpec& spec, const std::wstring& shortcutPath);
