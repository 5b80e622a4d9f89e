#pragma once

#include "scopedfileclose.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// A run of bytes kept as stored in the package. It either points into the
// bytes the package was read from, holding them alive, or owns an array.
using StoredBytes = std::shared_ptr<const unsigned char[]>;

// Reads package fields from a C stream, from its current position on, or
// from bytes in memory. It takes the number of bytes left when it is made
// and refuses any field longer than what is left, so a damaged length never
// reads past the data or asks for a huge allocation.
class PackageReader {
public:
    PackageReader(std::FILE* file, bool ownsFile);
    // Reads `length` bytes from `data`. Stored runs (ReadStoredBytes) point
    // into them without copying and hold `keeper`, which must keep the bytes
    // alive and unchanged.
    PackageReader(const unsigned char* data, size_t length, std::shared_ptr<const void> keeper);

    PackageReader(const PackageReader&) = delete;
    PackageReader& operator=(const PackageReader&) = delete;

    // Reads up to count bytes; returns how many arrived.
    size_t ReadBlob(size_t count, unsigned char* buffer);
    bool ReadInt32(int32_t& value);
    // True exactly when the stored int32 is 1.
    bool ReadBool(bool& flag);
    // Count, then scrambled UTF-8 ending at its first zero byte. A count of
    // 0 or less, or a text that starts with a zero byte, leaves the target
    // as it was.
    bool ReadString(std::wstring& text);
    // Reads `count` bytes into a new array; false when count is not positive
    // or more than the bytes left, or when fewer arrive.
    bool ReadOwnedBytes(int32_t count, std::unique_ptr<unsigned char[]>& bytes);
    // The next `count` bytes as a stored run: from memory without a copy,
    // from a stream as ReadOwnedBytes. Fails as ReadOwnedBytes does.
    bool ReadStoredBytes(int32_t count, StoredBytes& bytes);

    int64_t Remaining() const { return m_remaining; }

private:
    ScopedFileClose m_file;
    const unsigned char* m_memory = nullptr;
    std::shared_ptr<const void> m_keeper;
    int64_t m_remaining;
};
