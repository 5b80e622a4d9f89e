#pragma once

#include <cstdint>
#include <string>

namespace standin {

// A stand-in movie is a real movie file: the usual header ("FWS", or "CWS"
// with a zlib-compressed body; version byte; 32-bit length of the whole
// uncompressed file; frame rectangle; 8.8 frame rate; frame count) followed by
// the tags SetBackgroundColor (9), one script tag (code 1000, which no player
// version defines, so a real player skips it), ShowFrame (1) and End (0). The
// script tag's data is the UTF-8 text of the movie script (see moviescript.h).
struct StandinMovie {
    int version = 10;
    int width = 550;   // pixels
    int height = 400;  // pixels
    int frameRate = 24;
    int frameCount = 1;
    uint8_t red = 255, green = 255, blue = 255;
    std::string script;
};

constexpr int kScriptTagCode = 1000;

// The movie file's bytes; compressed gives a "CWS" file.
std::string BuildStandinMovie(const StandinMovie& movie, bool compressed = false);

// Reads a movie file. False, with a reason in error, when the header is not a
// movie header or the data ends early. A valid movie without a script tag
// reads with an empty script.
bool ReadStandinMovie(const std::string& bytes, StandinMovie& movie, std::string& error);
// The same for a movie file that is not needed afterwards: an uncompressed
// movie's script takes over the file's bytes instead of being copied. The
// bytes are left unspecified.
bool ReadStandinMovie(std::string&& bytes, StandinMovie& movie, std::string& error);

} // namespace standin
