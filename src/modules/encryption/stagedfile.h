#pragma once

#include <wx/file.h>
#include <wx/string.h>

// A new file in the system's temporary folder that a command writes in full
// before it replaces its destination, so a failure half-way never leaves a
// damaged destination. The file is deleted when the object goes, unless a
// failed final copy left it as the only complete result.
class StagedFile {
public:
    explicit StagedFile(const wxString& prefix);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // False when the file could not be made and opened for writing.
    bool IsOpened() const { return m_file.IsOpened(); }
    wxFile& File() { return m_file; }

    // Closes the file, copies it over the destination and deletes it; true
    // when all three succeeded.
    bool Commit(const wxString& destination);

private:
    wxFile m_file;
    wxString m_path;
};
