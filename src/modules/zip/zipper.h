#pragma once

#include <wx/string.h>

class wxInputStream;
class wxZipEntry;
class wxZipInputStream;
class wxZipOutputStream;

// Packs a folder tree into a ZIP archive and unpacks one into a folder, with
// the toolkit's zip streams. Entry names use "/" between their parts, carry
// no leading separator and are written in the system's ANSI code page; every
// entry, folder or file, is dated with the time it is added.
class Zipper {
public:
    // Writes an archive of everything below the folder (the folder itself is
    // no entry; empty subfolders get folder entries). False when the archive
    // cannot be made, the folder cannot be listed, a file cannot be read or a
    // name has no form in the code page; the archive then stays, closed, with
    // the entries added before.
    bool Zip(const wxString& archivePath, const wxString& folder) const;

    // Extracts every entry into the destination, which must exist. Folders are
    // made one level at a time from folder entries; a file whose folder does
    // not exist fails. False at the first entry that fails (those before it
    // stay), for an entry whose name would leave the destination, and for a
    // file that is not an archive. Existing files are overwritten.
    bool Unzip(const wxString& archivePath, const wxString& destination) const;

    // Whether an entry name stays inside the folder it is extracted into: no
    // leading separator, no drive or ":" and no part made only of dots and
    // spaces ("..", which Windows also reads into "... " and ". ."), with
    // either separator.
    static bool IsSafeEntryName(const wxString& name);

private:
    bool AddFolder(const wxString& folder, const wxString& prefix, wxZipOutputStream& zip) const;
    bool AddFile(const wxString& path, const wxString& entryName, wxZipOutputStream& zip) const;
    bool ExtractEntry(const wxString& destination, const wxZipEntry& entry, wxZipInputStream& zip) const;
    bool ExtractFile(const wxString& path, wxInputStream& entryData) const;
};
