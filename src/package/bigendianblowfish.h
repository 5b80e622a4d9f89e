#pragma once

#include <cstddef>
#include <memory>

// Blowfish with big-endian block words (the published byte order) in CBC
// mode with a zero initial vector. The key schedule is OpenSSL's; it uses at
// most the first 72 key bytes, as the cipher defines.
class BigEndianBlowfish {
public:
    BigEndianBlowfish();
    ~BigEndianBlowfish();
    BigEndianBlowfish(const BigEndianBlowfish&) = delete;
    BigEndianBlowfish& operator=(const BigEndianBlowfish&) = delete;

    void SetKey(const unsigned char* key, size_t length);
    // Wipes the key schedule; the object then has no key.
    void Reset();
    bool HasKey() const { return m_hasKey; }

    // In place over whole 8-byte blocks, chained from a zero vector.
    void EncryptCbc(unsigned char* data, size_t length);
    void DecryptCbc(unsigned char* data, size_t length);

private:
    struct Schedule;
    std::unique_ptr<Schedule> m_schedule;
    bool m_hasKey = false;
};
