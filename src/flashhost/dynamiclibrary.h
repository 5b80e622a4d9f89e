#pragma once

#include <wx/string.h>

// A loaded library whose exports are looked up by name. Each implementation
// loads in its constructor and unloads in its destructor; m_loaded tells
// whether the library can be used and never changes after construction.
class DynamicLibrary {
public:
    DynamicLibrary() = default;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    virtual ~DynamicLibrary() = default;

    // Address of the export of that name; NULL when it is not exported.
    virtual const void* GetSymbol(const wxString& name) const = 0;

    bool m_loaded = false;
};
