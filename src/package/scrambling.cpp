#include "scrambling.h"

#include <algorithm>
#include <cstdint>

namespace {

const size_t kStringBlockSize = 512;
// Only the low 8 bits of position * 33 count, so the key repeats every 256
// positions: one table of a period serves a run of any length.
const size_t kKeyPeriod = 256;

} // namespace

// Only the low 8 bits matter, so unsigned wrap-around keeps the result exact.
unsigned char ScrambleKeyByte(size_t position, size_t length, unsigned char constant)
{
    return static_cast<unsigned char>(static_cast<uint32_t>(position) * 33u + static_cast<uint32_t>(length)
                                      + constant);
}

void ScrambleCopy(const unsigned char* from, unsigned char* to, size_t offset, size_t count, size_t length,
                  unsigned char constant)
{
    const size_t period = std::min(kKeyPeriod, count);
    unsigned char key[kKeyPeriod];
    for (size_t k = 0; k < period; ++k)
        key[k] = ScrambleKeyByte(offset + k, length, constant);
    // A period at a time against the table: a plain XOR loop the compiler
    // widens.
    for (size_t start = 0; start < count; start += period) {
        const size_t span = std::min(period, count - start);
        for (size_t k = 0; k < span; ++k)
            to[start + k] = from[start + k] ^ key[k];
    }
}

void ScrambleRun(unsigned char* data, size_t length, unsigned char constant)
{
    ScrambleCopy(data, data, 0, length, length, constant);
}

void ScrambleString(unsigned char* data, size_t length, unsigned char constant)
{
    const size_t blocks = length / kStringBlockSize;
    for (size_t b = 0; b < blocks; ++b)
        data[b * kStringBlockSize + b] ^= ScrambleKeyByte(b, 0, constant);
    ScrambleRun(data + blocks * kStringBlockSize, length % kStringBlockSize, constant);
}
