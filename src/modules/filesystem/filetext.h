#pragma once

#include <string>

// Whole files as texts: read for a movie, written from a movie.

// The file read in binary and decoded by its byte-order mark, else as UTF-8,
// else as ISO-8859-1, with CR LF as LF; "" when it cannot be read.
std::wstring LoadFileText(const std::wstring& path);

// The text as UTF-8 without byte-order mark, every LF written as CR LF.
// SaveFileText replaces the file's content (creating it), AppendFileText
// adds to its end (creating it). True when every byte was written.
bool SaveFileText(const std::wstring& path, const std::wstring& text);
bool AppendFileText(const std::wstring& path, const std::wstring& text);

// The file's bytes as lower-case hexadecimal pairs; "" when it cannot be read.
std::string LoadFileHex(const std::wstring& path);

// Replaces the file's content with the bytes of the byte text (see
// ParseFileByteText). The whole text is checked first: a text that does not
// read answers false and leaves the file as it was, or missing.
bool SaveFileHex(const std::wstring& path, const std::wstring& byteText);
