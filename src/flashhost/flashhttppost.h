#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What the plug-in hands to NPN_PostURLNotify: header lines, a blank line and
// the body. The header lines go to the server as request headers and the body
// as the POST data.
struct FlashHttpPost {
    std::vector<std::string> headerLines;
    std::string body;
};

// Splits the buffer at its first "\r\n\r\n": every non-empty "\r\n"-separated
// line before it is a header line, everything after it is the body. A buffer
// without that separator is all body.
FlashHttpPost SplitPostBuffer(const char* buffer, size_t length);
