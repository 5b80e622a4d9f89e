#pragma once

#include "packagereader.h"

#include <cstdint>
#include <memory>

// A stored length n, a second number (the expanded length of an image), then
// n stored bytes. Images keep their zlib stream scrambled here; the reserved
// blocks use the same layout and are only kept.
class CompressedBlock {
public:
    bool Read(PackageReader& reader);

    bool Present() const { return m_bytes && m_storedLength > 0; }
    const unsigned char* Bytes() const { return m_bytes.get(); }
    int32_t StoredLength() const { return m_storedLength; }
    int32_t ExpandedLength() const { return m_expandedLength; }

    // Descrambles the stored bytes with the constant (leaving them as stored)
    // and inflates them into a new array of the expanded length. A stream that ends early leaves the rest of the
    // array zero; one that is damaged or would be longer fails.
    bool Expand(unsigned char constant, std::unique_ptr<unsigned char[]>& bytes, int32_t& length) const;

private:
    // Inflates the descrambled stream into out; produced is the count of
    // bytes written.
    bool InflateDescrambled(unsigned char constant, unsigned char* out, size_t capacity, size_t& produced) const;

    StoredBytes m_bytes;
    int32_t m_storedLength = 0;
    int32_t m_expandedLength = 0;
};
