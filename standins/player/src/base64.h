#pragma once

#include <string>

namespace standin {

// RFC 4648 Base64 with the standard alphabet and "=" padding, no line breaks.
std::string Base64Encode(const std::string& bytes);

// Decodes Base64 text; stops at the first "=". False when the text holds a
// character outside the alphabet or ends in the middle of a byte.
bool Base64Decode(const std::string& text, std::string& bytes);

} // namespace standin
