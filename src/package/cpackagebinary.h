#pragma once

#include "byteblock.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class PackageReader;

// An embedded file or library file, kept scrambled.
class CPackageBinary {
public:
    virtual ~CPackageBinary();

    // File version (dropped), length, bytes.
    bool Read(PackageReader& reader);
    // A new descrambled copy; a zero-length file gives true and length 0.
    bool GetData(int32_t& length, std::unique_ptr<unsigned char[]>& bytes) const;

    // The first bytes, descrambled, without copying the rest; returns how
    // many were written (fewer than count for a shorter file).
    size_t CopyHead(unsigned char* out, size_t count) const;
    int32_t Length() const { return m_data.Length(); }

private:
    ByteBlock m_data;
};
