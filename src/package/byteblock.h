#pragma once

#include "packagereader.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// A stored run of bytes (a count, then the bytes, kept as stored and never
// written to: they may be the package file's own bytes). A count of 0 or less
// stores nothing.
class ByteBlock {
public:
    bool Read(PackageReader& reader);
    void Assign(std::unique_ptr<unsigned char[]> bytes, int32_t length);
    void Clear();

    bool Present() const { return m_bytes && m_length > 0; }
    const unsigned char* Bytes() const { return m_bytes.get(); }
    int32_t Length() const { return Present() ? m_length : 0; }

    // A new copy of the bytes, descrambled with the given constant.
    bool CopyDescrambled(unsigned char constant, std::unique_ptr<unsigned char[]>& bytes) const;
    // Bytes offset to offset + count - 1 of the descrambled block, written
    // to out; the range must lie inside the block.
    void CopyDescrambledRange(unsigned char constant, size_t offset, size_t count, unsigned char* out) const;

private:
    StoredBytes m_bytes;
    int32_t m_length = 0;
};
