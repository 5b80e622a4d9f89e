#include "compressedblock.h"

#include "packagereader.h"
#include "scrambling.h"

#include <zlib.h>

#include <cstring>
#include <new>

namespace {

// Deflate cannot expand n bytes to more than about 1032 * n; a larger
// recorded length is damage and must not size the allocation.
const int64_t kMaxInflateRatio = 1032;
const int64_t kInflateSlack = 1024;

bool ExpandedLengthPlausible(int32_t stored, int32_t expanded)
{
    return expanded > 0 && expanded <= static_cast<int64_t>(stored) * kMaxInflateRatio + kInflateSlack;
}

} // namespace

bool CompressedBlock::Read(PackageReader& reader)
{
    m_bytes.reset();
    if (!reader.ReadInt32(m_storedLength) || !reader.ReadInt32(m_expandedLength))
        return false;
    return m_storedLength <= 0 || reader.ReadStoredBytes(m_storedLength, m_bytes);
}

bool CompressedBlock::Expand(unsigned char constant, std::unique_ptr<unsigned char[]>& bytes,
                             int32_t& length) const
{
    if (!Present() || !ExpandedLengthPlausible(m_storedLength, m_expandedLength))
        return false;
    const size_t storedLength = static_cast<size_t>(m_storedLength);
    std::unique_ptr<unsigned char[]> work(new (std::nothrow) unsigned char[storedLength]);
    // Not zeroed ahead: inflate writes the front, the tail is zeroed after.
    std::unique_ptr<unsigned char[]> result(new (std::nothrow) unsigned char[m_expandedLength]);
    if (!work || !result)
        return false;
    std::memcpy(work.get(), m_bytes.get(), storedLength);
    ScrambleRun(work.get(), storedLength, constant);

    uLongf produced = static_cast<uLongf>(m_expandedLength);
    if (uncompress(result.get(), &produced, work.get(), static_cast<uLong>(storedLength)) != Z_OK)
        return false;
    std::memset(result.get() + produced, 0, static_cast<size_t>(m_expandedLength) - produced);
    bytes = std::move(result);
    length = m_expandedLength;
    return true;
}
