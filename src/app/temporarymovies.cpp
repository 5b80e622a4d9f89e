#include "temporarymovies.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <mutex>
#include <vector>

namespace {

std::mutex g_lock;
std::vector<wxString> g_paths;

void Remember(const wxString& path)
{
    std::lock_guard<std::mutex> lock(g_lock);
    g_paths.push_back(path);
}

} // namespace

wxString TemporaryMovies::Write(const uint8_t* bytes, int32_t length)
{
    wxLogNull quiet; // a failure is answered with the empty path, not a log box
    wxFile file;
    const wxString path = wxFileName::CreateTempFileName(wxFileName::GetTempDir() + wxS("\\NXS"), &file);
    if (path.empty())
        return wxString();
    const bool written = length >= 0 && file.Write(bytes, size_t(length)) == size_t(length) && file.Close();
    if (!written) {
        file.Close();
        wxRemoveFile(path);
        return wxString();
    }
    Remember(path);
    return path;
}

void TemporaryMovies::DeleteAll()
{
    std::lock_guard<std::mutex> lock(g_lock);
    for (const wxString& path : g_paths)
        wxRemoveFile(path);
    g_paths.clear();
}
