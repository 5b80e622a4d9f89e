#pragma once

#include <array>
#include <string>

// The values that bind packages to this runtime. The package reader and the
// package writer both take them from here, so the two always agree.
namespace PackageConstants {

// Scrambling constants, one per kind of stored data.
extern const unsigned char kMovie;
extern const unsigned char kEmbeddedFile;
extern const unsigned char kSplash;
extern const unsigned char kTray;
extern const unsigned char kKeyBlock;
extern const unsigned char kString;

// The 17-byte phrase from which the key of enciphered values is derived.
std::string PassPhrase();

// The eight bytes that precede the package in the executable. They are put
// together at run time so that the program never holds them as one run of
// bytes, which its own scan would find before the appended package.
std::array<unsigned char, 8> PackageMagic();

} // namespace PackageConstants
