#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Bytes spelled as text, the two ways movies write them: hexadecimal pairs
// ("0a0B") or numbers between "|" separators ("12|200|7f").

// Two lower-case hexadecimal digits per byte, in order, without separator.
std::string FormatHexBytes(const unsigned char* bytes, size_t length);

// The bytes of a text for a whole file. Without "|" the text is pairs (an
// even number of characters); with "|" it is the pieces between the
// separators, a separator at the very end closing the last piece. Each piece
// reads as a decimal number first, else as a hexadecimal one ("10" is 10,
// "ff" is 255), and must lie in 0 to 255. False, with the output unusable,
// when any piece does not read.
bool ParseFileByteText(const std::wstring& text, std::vector<unsigned char>& bytes);

// Appends the bytes of a text for a byte buffer. Without "|" the text is
// pairs read as hexadecimal only ("10" is 16), each giving its low 8 bits;
// with "|" every piece between separators (an empty last one too) reads as a
// decimal number in 0 to 255. Stops with false at the first piece that does
// not read, or at a lone digit after the last pair, keeping the bytes before it.
bool AppendBufferByteText(const std::wstring& text, std::vector<unsigned char>& bytes);
