#pragma once

#include <wx/ffile.h>

#include <memory>

// A stdio file of the toolkit that can read a whole file into memory.
class CSysFile2 : public wxFFile {
public:
    virtual ~CSysFile2() = default;

    // Same contract as ReadWholeFile: open failure leaves the outputs as they
    // were; a size that cannot be taken gives length -1; a short read gives
    // null bytes and length 0.
    static bool ReadAll(const wxString& path, long& length, std::unique_ptr<unsigned char[]>& bytes);

    // Moves the file position; returns the new position or -1.
    wxFileOffset Seek(wxFileOffset offset, wxSeekMode origin = wxFromStart);
};
