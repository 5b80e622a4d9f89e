#include "swfbodyreader.h"

SwfBodyReader::SwfBodyReader(const unsigned char* bytes, size_t length)
    : m_bytes(bytes), m_length(length)
{
}

bool SwfBodyReader::ReadBits(unsigned count, uint32_t& value)
{
    if (count > 32)
        return false;
    const size_t bitsLeft = (m_length - m_bytePos) * 8 - m_bitPos;
    if (count > bitsLeft)
        return false;
    uint64_t bits = 0;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned bit = (m_bytes[m_bytePos] >> (7 - m_bitPos)) & 1u;
        bits = (bits << 1) | bit;
        if (++m_bitPos == 8) {
            m_bitPos = 0;
            ++m_bytePos;
        }
    }
    value = static_cast<uint32_t>(bits);
    return true;
}

bool SwfBodyReader::ReadSignedBits(unsigned count, int32_t& value)
{
    uint32_t bits = 0;
    if (!ReadBits(count, bits))
        return false;
    if (count > 0 && count < 32 && (bits & (1u << (count - 1))))
        bits |= ~((1u << count) - 1); // sign-extend
    value = static_cast<int32_t>(bits);
    return true;
}

void SwfBodyReader::AlignToByte()
{
    if (m_bitPos != 0) {
        m_bitPos = 0;
        ++m_bytePos;
    }
}

bool SwfBodyReader::ReadByte(uint8_t& value)
{
    AlignToByte();
    if (m_bytePos >= m_length)
        return false;
    value = m_bytes[m_bytePos++];
    return true;
}

bool SwfBodyReader::ReadUInt16(uint16_t& value)
{
    uint8_t low = 0, high = 0;
    if (!ReadByte(low) || !ReadByte(high))
        return false;
    value = static_cast<uint16_t>(low | (high << 8));
    return true;
}

bool SwfBodyReader::ReadUInt32(uint32_t& value)
{
    uint16_t low = 0, high = 0;
    if (!ReadUInt16(low) || !ReadUInt16(high))
        return false;
    value = static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 16);
    return true;
}

bool SwfBodyReader::Skip(uint32_t count)
{
    AlignToByte();
    if (count > m_length - m_bytePos)
        return false;
    m_bytePos += count;
    return true;
}

bool SwfBodyReader::AtEnd() const
{
    return m_bytePos >= m_length;
}
