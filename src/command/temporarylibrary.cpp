#include "temporarylibrary.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace {

// The new file's path, or empty text when it could not be written whole.
wxString WriteNewTemporaryFile(const void* bytes, size_t size, const wxString& prefix)
{
    wxFile file;
    const wxString path = wxFileName::CreateTempFileName(prefix, &file);
    if (path.empty())
        return wxString();
    const bool written = file.Write(bytes, size) == size;
    const bool closed = file.Close();
    if (!written || !closed) {
        wxRemoveFile(path);
        return wxString();
    }
    return path;
}

} // namespace

TemporaryLibrary::~TemporaryLibrary()
{
    Unload();
}

bool TemporaryLibrary::Load(const void* bytes, size_t size, const wxString& prefix)
{
    Unload();
    if (!bytes || size == 0)
        return false;
    wxLogNull quiet; // failures are reported by the result alone, never by a message
    m_path = WriteNewTemporaryFile(bytes, size, prefix);
    if (m_path.empty())
        return false;
    m_library = std::make_unique<wxDynamicLibrary>(m_path, wxDL_NOW | wxDL_QUIET);
    if (!m_library->IsLoaded()) {
        Unload();
        return false;
    }
    return true;
}

void TemporaryLibrary::Unload()
{
    if (m_library && m_library->IsLoaded())
        m_library->Unload();
    m_library.reset();
    if (!m_path.empty()) {
        wxLogNull quiet;
        wxRemoveFile(m_path);
        m_path.clear();
    }
}

void* TemporaryLibrary::Symbol(const char* name) const
{
    if (!IsLoaded())
        return nullptr;
    return wxDynamicLibrary::RawGetSymbol(m_library->GetLibHandle(), name);
}
