#include "byteblock.h"

#include "packagereader.h"
#include "scrambling.h"

#include <new>

bool ByteBlock::Read(PackageReader& reader)
{
    Clear();
    int32_t count = 0;
    if (!reader.ReadInt32(count))
        return false;
    if (count <= 0)
        return true;
    if (!reader.ReadStoredBytes(count, m_bytes))
        return false;
    m_length = count;
    return true;
}

void ByteBlock::Assign(std::unique_ptr<unsigned char[]> bytes, int32_t length)
{
    m_bytes = std::move(bytes);
    m_length = m_bytes ? length : 0;
}

void ByteBlock::Clear()
{
    m_bytes.reset();
    m_length = 0;
}

bool ByteBlock::CopyDescrambled(unsigned char constant, std::unique_ptr<unsigned char[]>& bytes) const
{
    const size_t length = static_cast<size_t>(Length());
    std::unique_ptr<unsigned char[]> copy(new (std::nothrow) unsigned char[length]);
    if (!copy)
        return false;
    CopyDescrambledRange(constant, 0, length, copy.get());
    bytes = std::move(copy);
    return true;
}

void ByteBlock::CopyDescrambledRange(unsigned char constant, size_t offset, size_t count, unsigned char* out) const
{
    ScrambleCopy(m_bytes.get() + offset, out, offset, count, static_cast<size_t>(Length()), constant);
}
