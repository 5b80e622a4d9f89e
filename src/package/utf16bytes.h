#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Wide text as UTF-16 code units laid down little-endian, the stored form of
// enciphered values on every platform (wchar_t is 32 bits outside Windows).
std::vector<unsigned char> WideToUtf16Bytes(const std::wstring& text);

// Reads UTF-16LE units up to the first zero unit or the end of the bytes.
std::wstring Utf16BytesToWide(const unsigned char* bytes, size_t length);
