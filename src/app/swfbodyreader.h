#pragma once

#include <cstddef>
#include <cstdint>

// Reads the fields of a movie body (bytes, unsigned fields little-endian and
// bit fields most significant bit first) without ever passing the end of
// the data: every read reports whether the whole field was there.
class SwfBodyReader {
public:
    SwfBodyReader(const unsigned char* bytes, size_t length);

    // Unsigned and two's-complement signed fields of up to 32 bits.
    bool ReadBits(unsigned count, uint32_t& value);
    bool ReadSignedBits(unsigned count, int32_t& value);
    // Byte-aligned reads start at the next whole byte.
    bool ReadByte(uint8_t& value);
    bool ReadUInt16(uint16_t& value);
    bool ReadUInt32(uint32_t& value);
    bool Skip(uint32_t count);
    bool AtEnd() const;

private:
    void AlignToByte();

    const unsigned char* m_bytes;
    size_t m_length;
    size_t m_bytePos = 0;
    unsigned m_bitPos = 0; // bits already taken from m_bytes[m_bytePos]
};
