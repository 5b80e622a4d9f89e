#include "sha384.h"

#include <openssl/sha.h>

std::string Sha384Hex(const unsigned char* data, size_t length)
{
    static const char kDigits[] = "0123456789abcdef";
    unsigned char digest[SHA384_DIGEST_LENGTH];
    SHA384(data, length, digest);
    std::string hex;
    hex.reserve(2 * sizeof digest);
    for (unsigned char byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}
