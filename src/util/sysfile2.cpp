#include "sysfile2.h"

#include "wholefile.h"

bool CSysFile2::ReadAll(const wxString& path, long& length, std::unique_ptr<unsigned char[]>& bytes)
{
    CSysFile2 file;
    if (!file.Open(path, "rb"))
        return false;
    return ReadWholeStream(file.fp(), bytes, length);
}

wxFileOffset CSysFile2::Seek(wxFileOffset offset, wxSeekMode origin)
{
    if (!wxFFile::Seek(offset, origin))
        return -1;
    return Tell();
}
