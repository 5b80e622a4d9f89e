#include "streamint32.h"

#include <wx/file.h>

bool StreamReadInt32(wxFile& file, int32_t& value)
{
    unsigned char bytes[4];
    if (file.Read(bytes, sizeof bytes) != static_cast<ssize_t>(sizeof bytes))
        return false;
    value = static_cast<int32_t>(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8
                                 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24);
    return true;
}

bool StreamWriteInt32(int32_t value, wxFile& file)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
        static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    return file.Write(bytes, sizeof bytes) == sizeof bytes;
}
