#pragma once

#include <string>

// The program that the registry names for opening files of a type: the
// extension's class under HKEY_CLASSES_ROOT, then that class's
// "shell\open\command", cut after its first ".exe".

// The program path for an extension ("txt" or ".txt") or the path of an
// existing file (its extension counts); "" when any step finds nothing.
std::wstring FindAssociatedProgram(const std::wstring& extensionOrPath);

// The registry key of the file type: "." and the extension of an existing
// file, else the argument with a "." put in front when it has none.
std::wstring AssociationKeyName(const std::wstring& argument, bool namesExistingFile);

// The command text up to and including its first ".exe" (in any letter case,
// kept as stored), without one leading quotation mark; "" without ".exe".
std::wstring ProgramFromOpenCommand(const std::wstring& command);
