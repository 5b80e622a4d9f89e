#include "stagedfile.h"

#include <wx/filefn.h>
#include <wx/filename.h>

StagedFile::StagedFile(const wxString& prefix) : m_path(wxFileName::CreateTempFileName(prefix, &m_file)) {}

StagedFile::~StagedFile()
{
    m_file.Close();
    if (!m_path.empty())
        wxRemoveFile(m_path);
}

bool StagedFile::Commit(const wxString& destination)
{
    if (m_path.empty() || !m_file.Close())
        return false;
    if (!wxCopyFile(m_path, destination, true)) {
        m_path.clear(); // the only complete result: kept
        return false;
    }
    const bool removed = wxRemoveFile(m_path);
    m_path.clear();
    return removed;
}
