#pragma once

#include <cstddef>
#include <string>

// Decodes the bytes of a text file the way files read for a movie are
// decoded: a byte-order mark selects UTF-8, UTF-16 or UTF-32 (either byte
// order); text without one is UTF-8 when it is valid UTF-8, else ISO-8859-1.
// Every CR LF pair becomes LF. The whole input is decoded, so a 0x1A byte or
// a zero byte does not end the text.
std::wstring DecodeTextBytes(const unsigned char* bytes, size_t length);

// Decodes strict UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF, zero bytes kept). False, with the text empty, at the first
// malformed sequence.
bool DecodeStrictUtf8(const unsigned char* bytes, size_t length, std::wstring& text);
