#include "compressedblock.h"

#include "packagereader.h"
#include "scrambling.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Deflate cannot expand n bytes to more than about 1032 * n; a larger
// recorded length is damage and must not size the allocation.
const int64_t kMaxInflateRatio = 1032;
const int64_t kInflateSlack = 1024;
// Stored bytes descrambled per round of inflating: small enough to stay in
// the second-level cache, large enough that inflate's copy of its last 32 KiB
// of output at the end of each round stays a small share of its work.
const size_t kInflatePieceBytes = 64 * 1024;

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
    // Not zeroed ahead: inflate writes the front, the tail is zeroed after.
    std::unique_ptr<unsigned char[]> result(new (std::nothrow) unsigned char[m_expandedLength]);
    size_t produced = 0;
    if (!result || !InflateDescrambled(constant, result.get(), static_cast<size_t>(m_expandedLength), produced))
        return false;
    std::memset(result.get() + produced, 0, static_cast<size_t>(m_expandedLength) - produced);
    bytes = std::move(result);
    length = m_expandedLength;
    return true;
}

// The stored bytes are descrambled a piece at a time into a buffer that stays
// in cache, and each piece is inflated from there: no copy of the whole
// stream is made. Like zlib's uncompress, only a stream that reaches its end
// (checksum included) within `capacity` bytes succeeds; bytes stored after
// its end are ignored.
bool CompressedBlock::InflateDescrambled(unsigned char constant, unsigned char* out, size_t capacity,
                                         size_t& produced) const
{
    std::unique_ptr<unsigned char[]> piece(new (std::nothrow) unsigned char[kInflatePieceBytes]);
    z_stream stream = {};
    if (!piece || inflateInit(&stream) != Z_OK)
        return false;
    const size_t storedLength = static_cast<size_t>(m_storedLength);
    size_t descrambled = 0;
    stream.next_out = out;
    stream.avail_out = static_cast<uInt>(capacity);
    int status = Z_OK;
    while (status == Z_OK) {
        if (stream.avail_in == 0 && descrambled < storedLength) {
            const size_t count = std::min(kInflatePieceBytes, storedLength - descrambled);
            ScrambleCopy(m_bytes.get() + descrambled, piece.get(), descrambled, count, storedLength, constant);
            descrambled += count;
            stream.next_in = piece.get();
            stream.avail_in = static_cast<uInt>(count);
        }
        // Z_OK means progress was made; Z_BUF_ERROR that none can be (input
        // used up or output full): the loop always ends.
        status = inflate(&stream, Z_NO_FLUSH);
    }
    produced = capacity - stream.avail_out;
    inflateEnd(&stream);
    return status == Z_STREAM_END;
}
