#include "scrambling.h"

namespace {

const size_t kStringBlockSize = 512;

} // namespace

void ScrambleRun(unsigned char* data, size_t length, unsigned char constant)
{
    for (size_t i = 0; i < length; ++i)
        data[i] ^= ScrambleKeyByte(i, length, constant);
}

void ScrambleString(unsigned char* data, size_t length, unsigned char constant)
{
    const size_t blocks = length / kStringBlockSize;
    for (size_t b = 0; b < blocks; ++b)
        data[b * kStringBlockSize + b] ^= ScrambleKeyByte(b, 0, constant);
    ScrambleRun(data + blocks * kStringBlockSize, length % kStringBlockSize, constant);
}
