#include "standinmovie.h"

#include <zlib.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace standin {

namespace {

constexpr int kTwipsPerPixel = 20;
constexpr int kTagSetBackgroundColor = 9;
constexpr int kTagShowFrame = 1;
constexpr int kTagEnd = 0;
constexpr size_t kHeaderSize = 8;

class BitWriter {
public:
    void Put(uint32_t value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i) {
            if (m_used == 0)
                m_bytes.push_back(0);
            if (value >> i & 1)
                m_bytes.back() |= char(0x80 >> m_used);
            m_used = (m_used + 1) % 8;
        }
    }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
    int m_used = 0;
};

class BitReader {
public:
    BitReader(std::string_view bytes, size_t pos) : m_bytes(bytes), m_bit(pos * 8) {}
    bool Get(int bits, uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < bits; ++i, ++m_bit) {
            if (m_bit / 8 >= m_bytes.size())
                return false;
            value = value << 1 | ((unsigned char)m_bytes[m_bit / 8] >> (7 - m_bit % 8) & 1);
        }
        return true;
    }
    size_t NextByte() const { return (m_bit + 7) / 8; }

private:
    std::string_view m_bytes;
    size_t m_bit;
};

int SignedBitsFor(int32_t value)
{
    int bits = 1;
    while (bits < 31 && (value < -(1 << (bits - 1)) || value >= (1 << (bits - 1))))
        ++bits;
    return bits;
}

int32_t SignExtend(uint32_t value, int bits)
{
    if (bits == 0)
        return 0;
    if (bits < 32 && (value >> (bits - 1) & 1))
        value |= ~0u << bits;
    return int32_t(value);
}

void PutUint16(std::string& out, unsigned value)
{
    out += char(value & 0xFF);
    out += char(value >> 8 & 0xFF);
}

void PutUint32(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out += char(value >> (8 * i) & 0xFF);
}

uint32_t GetUint32(std::string_view bytes, size_t pos)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | (unsigned char)bytes[pos + i];
    return value;
}

void PutTag(std::string& out, int code, const std::string& data)
{
    if (data.size() < 63) {
        PutUint16(out, unsigned(code) << 6 | unsigned(data.size()));
    } else {
        PutUint16(out, unsigned(code) << 6 | 63);
        PutUint32(out, uint32_t(data.size()));
    }
    out += data;
}

std::string RectangleBytes(int width, int height)
{
    int32_t xMax = width * kTwipsPerPixel, yMax = height * kTwipsPerPixel;
    int bits = std::max(SignedBitsFor(xMax), SignedBitsFor(yMax));
    BitWriter writer;
    writer.Put(uint32_t(bits), 5);
    for (int32_t field : {0, xMax, 0, yMax})
        writer.Put(uint32_t(field), bits);
    return writer.Bytes();
}

bool Inflate(std::string_view compressed, size_t expandedSize, std::string& body)
{
    body.assign(expandedSize, '\0');
    uLongf length = uLongf(expandedSize);
    int result = uncompress(reinterpret_cast<Bytef*>(&body[0]), &length,
                            reinterpret_cast<const Bytef*>(compressed.data()), uLong(compressed.size()));
    if (result != Z_OK && result != Z_BUF_ERROR)
        return false;
    body.resize(length);
    return true;
}

// Frame rectangle, rate and count at the start of the body; pos ends at the first tag.
bool ReadFrameFields(std::string_view body, StandinMovie& movie, size_t& pos)
{
    BitReader reader(body, 0);
    uint32_t bits = 0, fields[4] = {};
    if (!reader.Get(5, bits))
        return false;
    for (uint32_t& field : fields)
        if (!reader.Get(int(bits), field))
            return false;
    int32_t xMin = SignExtend(fields[0], int(bits)), xMax = SignExtend(fields[1], int(bits));
    int32_t yMin = SignExtend(fields[2], int(bits)), yMax = SignExtend(fields[3], int(bits));
    movie.width = xMax / kTwipsPerPixel - xMin / kTwipsPerPixel;
    movie.height = yMax / kTwipsPerPixel - yMin / kTwipsPerPixel;
    pos = reader.NextByte();
    if (pos + 4 > body.size())
        return false;
    movie.frameRate = (unsigned char)body[pos + 1];
    movie.frameCount = (unsigned char)body[pos + 2] | (unsigned char)body[pos + 3] << 8;
    pos += 4;
    return true;
}

// The fields of the tags; the script is left as a view into the body.
void ReadTags(std::string_view body, size_t pos, StandinMovie& movie, std::string_view& script)
{
    while (pos + 2 <= body.size()) {
        unsigned word = (unsigned char)body[pos] | (unsigned char)body[pos + 1] << 8;
        pos += 2;
        unsigned code = word >> 6;
        size_t length = word & 63;
        if (length == 63) {
            if (pos + 4 > body.size())
                return;
            length = GetUint32(body, pos);
            pos += 4;
        }
        if (code == kTagEnd || length > body.size() - pos)
            return;
        if (code == kTagSetBackgroundColor && length >= 3) {
            movie.red = uint8_t(body[pos]);
            movie.green = uint8_t(body[pos + 1]);
            movie.blue = uint8_t(body[pos + 2]);
        } else if (code == kScriptTagCode) {
            script = body.substr(pos, length);
        }
        pos += length;
    }
}

// Everything but the script, which is left as a view into the bytes or,
// for a compressed movie, into `inflated`.
bool ReadMovieFields(std::string_view bytes, StandinMovie& movie, std::string& inflated, std::string_view& script,
                     std::string& error)
{
    movie = StandinMovie();
    if (bytes.size() < kHeaderSize) {
        error = "shorter than a movie header";
        return false;
    }
    std::string_view signature = bytes.substr(0, 3);
    if (signature != "FWS" && signature != "CWS") {
        error = "no movie signature";
        return false;
    }
    movie.version = (unsigned char)bytes[3];
    uint32_t fileLength = GetUint32(bytes, 4);
    std::string_view body = bytes.substr(kHeaderSize);
    if (signature == "CWS") {
        if (fileLength < kHeaderSize || fileLength > (64u << 20) ||
            !Inflate(body, fileLength - kHeaderSize, inflated)) {
            error = "compressed body does not expand";
            return false;
        }
        body = inflated;
    }
    size_t pos = 0;
    if (!ReadFrameFields(body, movie, pos)) {
        error = "movie header ends early";
        return false;
    }
    ReadTags(body, pos, movie, script);
    return true;
}

} // namespace

std::string BuildStandinMovie(const StandinMovie& movie, bool compressed)
{
    std::string body = RectangleBytes(movie.width, movie.height);
    body += '\0';
    body += char(movie.frameRate & 0xFF);
    PutUint16(body, unsigned(movie.frameCount));
    PutTag(body, kTagSetBackgroundColor, std::string{char(movie.red), char(movie.green), char(movie.blue)});
    PutTag(body, kScriptTagCode, movie.script);
    PutTag(body, kTagShowFrame, "");
    PutTag(body, kTagEnd, "");

    std::string file = compressed ? "CWS" : "FWS";
    file += char(movie.version & 0xFF);
    PutUint32(file, uint32_t(kHeaderSize + body.size()));
    if (!compressed)
        return file + body;
    uLongf packedSize = compressBound(uLong(body.size()));
    std::string packed(packedSize, '\0');
    compress(reinterpret_cast<Bytef*>(&packed[0]), &packedSize, reinterpret_cast<const Bytef*>(body.data()),
             uLong(body.size()));
    packed.resize(packedSize);
    return file + packed;
}

bool ReadStandinMovie(const std::string& bytes, StandinMovie& movie, std::string& error)
{
    std::string inflated;
    std::string_view script;
    if (!ReadMovieFields(bytes, movie, inflated, script, error))
        return false;
    movie.script = std::string(script);
    return true;
}

bool ReadStandinMovie(std::string&& bytes, StandinMovie& movie, std::string& error)
{
    std::string inflated;
    std::string_view script;
    if (!ReadMovieFields(bytes, movie, inflated, script, error))
        return false;
    // Only an uncompressed movie's script lies in the file's bytes.
    if (!inflated.empty() || script.empty()) {
        movie.script = std::string(script);
        return true;
    }
    // The script is moved to the front of the file's own bytes, which then
    // become the script: no second buffer the size of the movie.
    const size_t at = size_t(script.data() - bytes.data());
    const size_t length = script.size();
    bytes.erase(at + length);
    bytes.erase(0, at);
    movie.script = std::move(bytes);
    return true;
}

} // namespace standin
