#pragma once

#include <wx/dynlib.h>
#include <wx/string.h>

#include <cstddef>
#include <memory>

// A native library carried as bytes (a resource, an embedded project file),
// written to a temporary file of its own and loaded from there. The file is
// made new under a unique name by the system, so nothing planted at a
// predictable path can be loaded instead; it is deleted when the library is
// unloaded.
class TemporaryLibrary {
public:
    TemporaryLibrary() = default;
    ~TemporaryLibrary();
    TemporaryLibrary(const TemporaryLibrary&) = delete;
    TemporaryLibrary& operator=(const TemporaryLibrary&) = delete;

    // Writes the bytes to a new file in the user's temporary folder (its name
    // begins with the prefix; the system keeps three letters of it) and loads
    // it. False, with nothing left behind, when there are no bytes, the file
    // cannot be written whole or the library does not load. A library loaded
    // before is unloaded first.
    bool Load(const void* bytes, size_t size, const wxString& prefix);
    // Unloads the library and deletes its file. Safe to call more than once.
    void Unload();

    bool IsLoaded() const { return m_library && m_library->IsLoaded(); }
    // The address of the export, or null.
    void* Symbol(const char* name) const;
    const wxString& Path() const { return m_path; }

private:
    std::unique_ptr<wxDynamicLibrary> m_library;
    wxString m_path;
};
