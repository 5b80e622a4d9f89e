#pragma once

#include <wx/string.h>

#include <cstdint>

// Movies older than version 9 play from temporary files that the loader movie
// loads. The files are written here, named "NXS" plus a unique part in the
// system's temporary folder, and deleted when the runtime shuts down.
class TemporaryMovies {
public:
    // Writes the movie to a new temporary file and returns its full path;
    // empty when the file could not be created or written (none is left).
    static wxString Write(const uint8_t* bytes, int32_t length);
    // Deletes every file written so far.
    static void DeleteAll();
};
