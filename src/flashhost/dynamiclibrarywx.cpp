#include "dynamiclibrarywx.h"

DynamicLibraryWX::DynamicLibraryWX(const wxString& path)
    : m_library(wxDynamicLibrary::RawLoad(path, wxDL_NOW))
{
    m_loaded = m_library != nullptr;
}

DynamicLibraryWX::~DynamicLibraryWX()
{
    if (m_library)
        wxDynamicLibrary::Unload(m_library);
}

const void* DynamicLibraryWX::GetSymbol(const wxString& name) const
{
    if (!m_library)
        return nullptr;
    return wxDynamicLibrary::RawGetSymbol(m_library, name);
}
