#pragma once

#include <memory>
#include <string>

// Text conversions. Wide text is UTF-16 where wchar_t has 16 bits (Windows)
// and UTF-32 elsewhere.

// Decodes UTF-8 up to its first zero byte. Malformed sequences decode to
// U+FFFD, as the Windows decoder does without its strict flag. An empty input
// succeeds and leaves the output as it was.
bool Utf8ToWide(const std::string& utf8, std::wstring& wide);
std::wstring Utf8ToWide(const std::string& utf8);
// As above; a null pointer (a library's "no text") gives the empty text.
std::wstring Utf8ToWide(const char* utf8);

// Encodes wide text as UTF-8; unpaired surrogates become U+FFFD.
std::string WideToUtf8(const std::wstring& wide);
std::string WideToUtf8(const wchar_t* wide, size_t length);

// The UTF-8 text as a round trip through wide text leaves it: cut at its first
// zero byte, malformed sequences replaced by U+FFFD. Well-formed text (the
// usual case) comes back as it is, without the round trip.
std::string WellFormedUtf8(std::string utf8);

// Converts through the C runtime's multibyte encoding of the current locale.
// Null when the text cannot be converted or the buffer cannot be allocated.
std::unique_ptr<char[]> WideToMultiByte(const std::wstring& wide);
std::unique_ptr<wchar_t[]> MultiByteToWide(const char* multiByte);
