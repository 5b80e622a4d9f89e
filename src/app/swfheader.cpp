#include "swfheader.h"

#include "swfbodyreader.h"
#include "wholefile.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const size_t kFileHeaderSize = 8;
const uint16_t kSetBackgroundColorTag = 9;
const uint16_t kEndTag = 0;

// Expands a compressed body. The header's file length bounds the output:
// a stream that would expand beyond it, or does not end, is damaged. The
// buffer grows with the data instead of trusting that length up front.
bool ExpandBody(const unsigned char* source, size_t sourceLength, uint32_t fileLength,
                std::vector<unsigned char>& body)
{
    if (fileLength < kFileHeaderSize)
        return false;
    const size_t limit = fileLength - kFileHeaderSize;
    z_stream stream;
    std::memset(&stream, 0, sizeof stream);
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = const_cast<unsigned char*>(source);
    stream.avail_in = static_cast<uInt>(sourceLength);
    int status = Z_OK;
    while (status == Z_OK) {
        const size_t chunk = 64 * 1024;
        const size_t done = body.size();
        if (done >= limit + 1)
            break; // more output than the header announced
        body.resize(done + std::min(chunk, limit + 1 - done));
        stream.next_out = body.data() + done;
        stream.avail_out = static_cast<uInt>(body.size() - done);
        status = inflate(&stream, Z_NO_FLUSH);
        body.resize(done + (body.size() - done - stream.avail_out));
        if (status == Z_BUF_ERROR)
            break; // input ended before the stream did
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END && body.size() <= limit;
}

bool ReadFrameSize(SwfBodyReader& reader, SwfHeader& header)
{
    uint32_t fieldBits = 0;
    int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    if (!reader.ReadBits(5, fieldBits) || !reader.ReadSignedBits(fieldBits, xMin) ||
        !reader.ReadSignedBits(fieldBits, xMax) || !reader.ReadSignedBits(fieldBits, yMin) ||
        !reader.ReadSignedBits(fieldBits, yMax))
        return false;
    // Each edge is converted to pixels before the difference is taken.
    header.width = static_cast<int32_t>(int64_t(xMax / 20) - xMin / 20);
    header.height = static_cast<int32_t>(int64_t(yMax / 20) - yMin / 20);
    return true;
}

bool ReadFrameTiming(SwfBodyReader& reader, SwfHeader& header)
{
    uint8_t fraction = 0, rate = 0;
    uint16_t frameCount = 0;
    if (!reader.ReadByte(fraction) || !reader.ReadByte(rate) || !reader.ReadUInt16(frameCount))
        return false;
    header.frameRate = rate;
    header.frameCount = frameCount;
    return true;
}

// Walks the tags up to the first SetBackgroundColor; the End tag or the end
// of the data before it leaves the colour as it is.
bool ReadBackgroundColour(SwfBodyReader& reader, SwfHeader& header)
{
    while (!reader.AtEnd()) {
        uint16_t tagHeader = 0;
        if (!reader.ReadUInt16(tagHeader))
            return false;
        const uint16_t code = tagHeader >> 6;
        uint32_t length = tagHeader & 0x3f;
        if (length == 0x3f && !reader.ReadUInt32(length))
            return false;
        if (code == kEndTag)
            return true;
        if (code == kSetBackgroundColorTag) {
            return length >= 3 && reader.ReadByte(header.r) && reader.ReadByte(header.g) &&
                   reader.ReadByte(header.b);
        }
        if (!reader.Skip(length))
            return false;
    }
    return true;
}

} // namespace

bool ParseSwfHeader(const unsigned char* bytes, size_t length, SwfHeader& header)
{
    header = SwfHeader();
    if (length >= 4)
        header.version = bytes[3];
    if (length < kFileHeaderSize)
        return false;
    const bool compressed = std::memcmp(bytes, "CWS", 3) == 0;
    if (!compressed && std::memcmp(bytes, "FWS", 3) != 0)
        return false;
    const uint32_t fileLength = static_cast<uint32_t>(bytes[4]) | (static_cast<uint32_t>(bytes[5]) << 8) |
                                (static_cast<uint32_t>(bytes[6]) << 16) | (static_cast<uint32_t>(bytes[7]) << 24);
    const unsigned char* body = bytes + kFileHeaderSize;
    size_t bodyLength = length - kFileHeaderSize;
    std::vector<unsigned char> expanded;
    if (compressed) {
        if (!ExpandBody(body, bodyLength, fileLength, expanded))
            return false;
        body = expanded.data();
        bodyLength = expanded.size();
    }
    SwfBodyReader reader(body, bodyLength);
    return ReadFrameSize(reader, header) && ReadFrameTiming(reader, header) &&
           ReadBackgroundColour(reader, header);
}

bool ReadSwfHeader(const std::wstring& path, SwfHeader& header)
{
    header = SwfHeader();
    std::unique_ptr<unsigned char[]> bytes;
    long length = -1;
    if (!ReadWholeFile(path, bytes, length) || length < 0)
        return false;
    return ParseSwfHeader(bytes.get(), static_cast<size_t>(length), header);
}
