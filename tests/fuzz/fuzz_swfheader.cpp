// The header of a movie file, plain or compressed.
#include "swfheader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SwfHeader header;
    ParseSwfHeader(data, size, header);
    return 0;
}
