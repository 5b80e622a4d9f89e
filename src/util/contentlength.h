#pragma once

#include <cstdint>
#include <string>

// The length that a response header announces: the digits after the first
// "Content-Length:" that starts a header line (in any case, blanks allowed
// after the colon), read as a 32-bit signed number. -1 when there is no such
// line, no digits follow, or the number does not fit.
int32_t ContentLengthInHeader(const std::string& header);
