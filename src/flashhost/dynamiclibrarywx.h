#pragma once

#include "dynamiclibrary.h"

#include <wx/dynlib.h>

// A library file loaded through the toolkit.
class DynamicLibraryWX : public DynamicLibrary {
public:
    explicit DynamicLibraryWX(const wxString& path);
    ~DynamicLibraryWX() override;

    const void* GetSymbol(const wxString& name) const override;

private:
    wxDllType m_library;
};
