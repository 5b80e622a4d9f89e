#pragma once

#include <wx/string.h>

#include <string>

// Files enciphered for movies: the plain length L (unsigned 32-bit, little
// endian), a reserved word written as 0, then the plain bytes in 8-byte
// blocks, the last one filled up with zeros, each block enciphered on its own
// with Blowfish from the zero vector. The result is written to a temporary
// file and copied over the destination only when it is complete, so the
// destination may be the source.
class EncryptedFile {
public:
    // False for an empty key or path, a refused key, a source that cannot be
    // read or is 4 GiB or larger (its length does not fit the header; checked
    // before anything is read), and any failed write or copy.
    static bool Encrypt(const std::string& key, const wxString& source, const wxString& destination);

    // False as for Encrypt, and for a source too short for its header or
    // whose size is not 8 bytes plus L rounded up to whole blocks.
    static bool Decrypt(const std::string& key, const wxString& source, const wxString& destination);
};
