// Base64 decoding of any text, and the round trip of any bytes.
#include "base64.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<unsigned char> decoded = Base64Decode(text);
    // Every group of four characters gives at most three bytes.
    if (decoded.size() > (size + 3) / 4 * 3)
        std::abort();

    const std::string encoded = Base64Encode(data, size);
    if (encoded.size() != (size + 2) / 3 * 4)
        std::abort();
    const std::vector<unsigned char> back = Base64Decode(encoded);
    if (back != std::vector<unsigned char>(data, data + size))
        std::abort();
    return 0;
}
