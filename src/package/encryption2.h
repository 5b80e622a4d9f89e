#pragma once

#include "bigendianblowfish.h"

#include <cstdint>
#include <string>

// The Blowfish cipher object of the Encryption commands: big-endian words,
// CBC from a zero vector, keyed with 1 to 56 bytes of text.
class Encryption2 {
public:
    static constexpr int32_t kBlockSize = 8;

    virtual ~Encryption2();

    // Forgets the key; used after every use.
    void Reset();
    // The key text counts up to its first zero byte; false (and no key) when
    // that is empty or longer than 56 bytes.
    bool SetKey(const std::string& key);

    // In place. 0 on success, -4 for null data, -1 for a length that is not a
    // multiple of 8, -2 when no key is set; nothing changes on failure.
    int Encrypt(int32_t length, unsigned char* data);
    int Decrypt(int32_t length, unsigned char* data);

private:
    int CheckArguments(int32_t length, const unsigned char* data) const;

    BigEndianBlowfish m_cipher;
};
