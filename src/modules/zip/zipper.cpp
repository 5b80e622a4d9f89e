#include "zipper.h"

#include <wx/datetime.h>
#include <wx/dir.h>
#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/strconv.h>
#include <wx/tokenzr.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Files move through memory in pieces of this size, never whole, so an entry
// that claims a huge size costs no more than a small one.
const size_t kChunkSize = 64 * 1024;

// Zip level -1: the default deflate level.
const int kDefaultLevel = -1;

// True when the name survives a round trip through the ANSI code page: the
// zip stream would otherwise write an empty name, or a substitute character.
bool FitsCodePage(const wxString& name, const wxMBConv& codePage)
{
    return wxString(name.mb_str(codePage), codePage) == name;
}

bool PutEntry(wxZipOutputStream& zip, const wxString& unixName, bool isFolder, const wxMBConv& codePage)
{
    if (!FitsCodePage(unixName, codePage))
        return false;
    auto* entry = new wxZipEntry();
    entry->SetName(isFolder ? unixName + wxS("/") : unixName, wxPATH_UNIX);
    entry->SetDateTime(wxDateTime::Now());
    return zip.PutNextEntry(entry);
}

// Copies the file into the open entry, as long as it was when opened: an
// archive written into the folder it packs must not feed on itself. False at
// a read or stream error, or when the file got shorter.
bool CopyFileInto(wxFile& file, wxOutputStream& zip)
{
    wxFileOffset remaining = file.Length();
    if (remaining < 0)
        return false;
    std::vector<char> buffer(kChunkSize);
    while (remaining > 0) {
        const size_t want = static_cast<size_t>(std::min<wxFileOffset>(remaining, kChunkSize));
        if (file.Read(buffer.data(), want) != static_cast<ssize_t>(want) || !zip.WriteAll(buffer.data(), want))
            return false;
        remaining -= static_cast<wxFileOffset>(want);
    }
    return zip.IsOk();
}

// Copies the entry's data into the file; true only when the stream reached
// the entry's end with its length and checksum as the archive states them.
bool CopyEntryInto(wxInputStream& entryData, wxFile& file)
{
    std::vector<char> buffer(kChunkSize);
    while (entryData.IsOk()) {
        const size_t got = entryData.Read(buffer.data(), buffer.size()).LastRead();
        if (got > 0 && file.Write(buffer.data(), got) != got)
            return false;
    }
    return entryData.GetLastError() == wxSTREAM_EOF;
}

// The zip stream drops a leading separator from the names it reads; the
// archive's local header still has the name as stored. Its name length is
// at byte 26 and the name itself at byte 30.
bool StoredNameIsRooted(wxFile& archive, const wxZipEntry& entry)
{
    unsigned char header[31] = {};
    if (archive.Seek(entry.GetOffset()) == wxInvalidOffset || archive.Read(header, sizeof header) != static_cast<ssize_t>(sizeof header))
        return true;
    const unsigned nameLength = header[26] | header[27] << 8;
    return nameLength == 0 || header[30] == '/' || header[30] == '\\';
}

bool IsSeparator(wxUniChar c)
{
    return c == wxS('/') || c == wxS('\\');
}

// The folder and a name below it (a single name or a relative path).
wxString JoinPath(const wxString& folder, const wxString& name)
{
    wxString joined = folder;
    if (!joined.empty() && !IsSeparator(joined.Last()))
        joined += wxFILE_SEP_PATH;
    return joined + name;
}

} // namespace

bool Zipper::Zip(const wxString& archivePath, const wxString& folder) const
{
    wxFileOutputStream file(archivePath);
    if (!file.IsOk())
        return false;
    wxCSConv codePage(wxFONTENCODING_SYSTEM);
    wxZipOutputStream zip(file, kDefaultLevel, codePage);
    if (!zip.IsOk())
        return false;
    const bool added = AddFolder(folder, wxString(), zip);
    const bool zipClosed = zip.Close();
    const bool fileClosed = file.Close();
    return added && zipClosed && fileClosed;
}

bool Zipper::AddFolder(const wxString& folder, const wxString& prefix, wxZipOutputStream& zip) const
{
    wxDir dir;
    if (!wxDir::Exists(folder) || !dir.Open(folder))
        return false;
    const wxCSConv codePage(wxFONTENCODING_SYSTEM);
    wxString name;
    for (bool more = dir.GetFirst(&name, wxString(), wxDIR_FILES | wxDIR_DIRS | wxDIR_HIDDEN); more;
         more = dir.GetNext(&name)) {
        const wxString path = JoinPath(folder, name);
        const wxString entryName = prefix + name;
        if (wxDir::Exists(path)) {
            if (!PutEntry(zip, entryName, true, codePage) || !AddFolder(path, entryName + wxS("/"), zip))
                return false;
        } else if (!AddFile(path, entryName, zip)) {
            return false;
        }
    }
    return true;
}

bool Zipper::AddFile(const wxString& path, const wxString& entryName, wxZipOutputStream& zip) const
{
    wxFile file;
    if (!file.Open(path, wxFile::read))
        return false;
    const wxCSConv codePage(wxFONTENCODING_SYSTEM);
    return PutEntry(zip, entryName, false, codePage) && CopyFileInto(file, zip);
}

bool Zipper::Unzip(const wxString& archivePath, const wxString& destination) const
{
    if (!wxDir::Exists(destination))
        return false;
    wxFileInputStream file(archivePath);
    if (!file.IsOk())
        return false;
    wxCSConv codePage(wxFONTENCODING_SYSTEM);
    wxZipInputStream zip(file, codePage);
    wxFile storedNames;
    if (!zip.IsOk() || !storedNames.Open(archivePath, wxFile::read))
        return false;
    for (;;) {
        const std::unique_ptr<wxZipEntry> entry(zip.GetNextEntry());
        // The stream ends with EOF after the last entry, and with a read
        // error when the file is no archive or its directory is damaged.
        if (!entry)
            return zip.GetLastError() == wxSTREAM_EOF;
        if (StoredNameIsRooted(storedNames, *entry) || !ExtractEntry(destination, *entry, zip))
            return false;
    }
}

bool Zipper::ExtractEntry(const wxString& destination, const wxZipEntry& entry, wxZipInputStream& zip) const
{
    if (!IsSafeEntryName(entry.GetName(wxPATH_UNIX)))
        return false;
    const wxString path = JoinPath(destination, entry.GetName(wxPATH_DOS));
    if (entry.IsDir()) {
        if (!wxDir::Exists(path))
            wxMkdir(path);
        return wxDir::Exists(path);
    }
    return ExtractFile(path, zip);
}

bool Zipper::ExtractFile(const wxString& path, wxInputStream& entryData) const
{
    wxFile file;
    if (!file.Create(path, true, wxS_DEFAULT))
        return false;
    const bool copied = CopyEntryInto(entryData, file);
    const bool closed = file.Close();
    if (copied && closed)
        return true;
    wxRemoveFile(path);
    return false;
}

bool Zipper::IsSafeEntryName(const wxString& name)
{
    if (name.empty() || IsSeparator(name[0]) || name.find(wxS(':')) != wxString::npos)
        return false;
    wxStringTokenizer parts(name, wxS("/\\"), wxTOKEN_RET_EMPTY_ALL);
    while (parts.HasMoreTokens()) {
        const wxString part = parts.GetNextToken();
        if (!part.empty() && part.find_first_not_of(wxS(". ")) == wxString::npos)
            return false;
    }
    return true;
}
