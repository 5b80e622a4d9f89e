#pragma once

#include <wx/string.h>

#include <cstdint>

class CPackage;

// What the Application commands read of the process and the project. Each
// look-up answers the text "nxa_notFound" when nothing is found.
extern const wxString kNotFound;

// Argument index of the command line as the toolkit split it; 1 <= index <
// argument count (the program itself, index 0, is never answered).
wxString GetCommandLineParameter(int32_t index);
wxString GetEnvironmentValue(const wxString& name);
// Sets the process environment variable; an empty value removes it.
void SetEnvironmentValue(const wxString& name, const wxString& value);
// The project's global and secure variables, by exact name.
wxString GetGlobalVariable(const CPackage* package, const wxString& name);
wxString GetSecureVariable(const CPackage* package, const wxString& name);
// The file name with extension of the program as the command line gives it.
wxString GetProgramFileName();
// The working directory with "\" appended.
wxString GetCurrentDirWithSlash();
