#pragma once

#include "bigendianblowfish.h"

#include <cstddef>

// The cipher of enciphered package values: big-endian Blowfish in CBC mode
// from a zero vector, keyed with the SHA-384 text of the pass phrase and its
// terminating zero (97 bytes). The key is built for each operation and wiped
// when it ends; it is never kept.
class TextCipherContext {
public:
    // In place over whole 8-byte blocks; false (nothing changed) otherwise.
    static bool Encipher(unsigned char* data, size_t length);
    static bool Decipher(unsigned char* data, size_t length);

    // The 97 key bytes, exposed for tests that check them against OpenSSL.
    static std::string BuildTextKey();

private:
    static void KeyCipher(BigEndianBlowfish& cipher);
};
