#pragma once

#include <string>
#include <vector>

// RFC 4648 Base64, standard alphabet, "=" padding, no line breaks.
std::string Base64Encode(const unsigned char* data, size_t length);

// The same encoding into out, which has room for Base64EncodedLength(length)
// characters (no terminating zero is written).
void Base64EncodeTo(const unsigned char* data, size_t length, char* out);

inline size_t Base64EncodedLength(size_t length)
{
    return (length + 2) / 3 * 4;
}

// Reads four characters at a time and stops at the first "=" in the third or
// fourth place of a group. White space is not skipped and other characters
// are not rejected: they count as the digit 0. A last group of two or three
// characters gives one or two bytes.
std::vector<unsigned char> Base64Decode(const std::string& text);

// The same decoding into out, which has room for Base64DecodedBound(length)
// bytes; out may be text itself (the bytes never overtake the digits).
// Returns the number of bytes written.
size_t Base64DecodeTo(const char* text, size_t length, unsigned char* out);

inline size_t Base64DecodedBound(size_t length)
{
    return length / 4 * 3 + 2;
}
