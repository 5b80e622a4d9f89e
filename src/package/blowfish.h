#pragma once

#include <memory>
#include <string>

namespace Tev {
namespace Encryption {

// Blowfish with little-endian block words (bytes 0-3 are the left word,
// least significant first), one 8-byte block at a time. Deciphers the
// Blowfish chunks of enciphered movies.
class Blowfish {
public:
    Blowfish();
    virtual ~Blowfish();
    Blowfish(const Blowfish&) = delete;
    Blowfish& operator=(const Blowfish&) = delete;

    // The key counts up to its first zero byte. An empty key is refused: the
    // object then has no key and leaves blocks unchanged.
    bool SetKey(const std::string& key);
    void Reset();

    void EncryptBlock(unsigned char* block) const;
    void DecryptBlock(unsigned char* block) const;

private:
    struct Schedule;
    std::unique_ptr<Schedule> m_schedule;
    bool m_hasKey = false;
};

} // namespace Encryption
} // namespace Tev
