#pragma once

#include <wx/string.h>

#include <cstdint>

// Reading single values under HKEY_LOCAL_MACHINE, read access only.

// The value as text, whatever its type (REG_NONE excepted): its bytes as
// UTF-16, read whole however long, up to the first NUL or the end of the
// bytes read, so a text stored without its NUL keeps every character. Empty
// when the key or value cannot be read.
wxString ReadMachineText(const wxString& keyPath, const wxString& valueName);

// The value's first four bytes as a number; 0 when the key or value cannot be
// read, the value is REG_NONE or it is longer than four bytes.
uint32_t ReadMachineNumber(const wxString& keyPath, const wxString& valueName);
