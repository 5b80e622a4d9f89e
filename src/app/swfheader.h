#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The frame size, version, frame rate, frame count and background colour
// of a movie file.
struct SwfHeader {
    int32_t width = 0;  // pixels
    int32_t height = 0; // pixels
    int32_t version = 0;
    int32_t frameRate = 0; // integer part
    int32_t frameCount = 0;
    uint8_t r = 0, g = 0, b = 0;
};

// Reads the header of a movie file ("FWS", or "CWS" with a zlib-compressed
// body). False when the file cannot be read, has another signature, its
// body cannot be expanded, or it ends inside the frame rectangle, the frame
// rate, the frame count or a tag. The header is reset first; the version is
// filled as soon as its byte was read. A movie without a background colour
// tag keeps the colour 0, 0, 0.
bool ReadSwfHeader(const std::wstring& path, SwfHeader& header);

// The same for the movie bytes in memory.
bool ParseSwfHeader(const unsigned char* bytes, size_t length, SwfHeader& header);
