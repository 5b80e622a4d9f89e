#include "scratchfolder.h"
#include "swfheader.h"
#include "wholefile.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Packs signed fields most significant bit first, as the frame rectangle is stored.
class BitWriter {
public:
    void Write(uint32_t value, unsigned count)
    {
        for (unsigned i = count; i-- > 0;) {
            if (m_bitPos == 0)
                m_bytes.push_back(0);
            if ((value >> i) & 1u)
                m_bytes.back() |= static_cast<unsigned char>(0x80u >> m_bitPos);
            m_bitPos = (m_bitPos + 1) % 8;
        }
    }
    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
    unsigned m_bitPos = 0;
};

struct Rect {
    int32_t xMin, xMax, yMin, yMax;
};

Bytes RectBytes(const Rect& rect, unsigned fieldBits = 16)
{
    BitWriter writer;
    writer.Write(fieldBits, 5);
    for (int32_t field : {rect.xMin, rect.xMax, rect.yMin, rect.yMax})
        writer.Write(static_cast<uint32_t>(field), fieldBits);
    return writer.bytes();
}

Bytes Tag(uint16_t code, const Bytes& data, bool longForm = false)
{
    Bytes tag;
    const uint16_t lengthField = longForm ? 0x3f : static_cast<uint16_t>(data.size());
    const uint16_t word = static_cast<uint16_t>(code << 6 | lengthField);
    tag = {static_cast<unsigned char>(word & 0xff), static_cast<unsigned char>(word >> 8)};
    if (longForm) {
        const uint32_t length = static_cast<uint32_t>(data.size());
        for (int shift = 0; shift < 32; shift += 8)
            tag.push_back(static_cast<unsigned char>(length >> shift));
    }
    tag.insert(tag.end(), data.begin(), data.end());
    return tag;
}

Bytes Body(const Rect& rect, unsigned char rateFraction, unsigned char rate, uint16_t frameCount,
           const Bytes& tags)
{
    Bytes body = RectBytes(rect);
    body.insert(body.end(), {rateFraction, rate, static_cast<unsigned char>(frameCount & 0xff),
                             static_cast<unsigned char>(frameCount >> 8)});
    body.insert(body.end(), tags.begin(), tags.end());
    return body;
}

Bytes Movie(const char* signature, unsigned char version, const Bytes& body, uint32_t fileLength)
{
    Bytes movie(signature, signature + 3);
    movie.push_back(version);
    for (int shift = 0; shift < 32; shift += 8)
        movie.push_back(static_cast<unsigned char>(fileLength >> shift));
    movie.insert(movie.end(), body.begin(), body.end());
    return movie;
}

Bytes PlainMovie(unsigned char version, const Bytes& body)
{
    return Movie("FWS", version, body, static_cast<uint32_t>(body.size() + 8));
}

Bytes Compress(const Bytes& data)
{
    uLongf length = compressBound(data.size());
    Bytes out(length);
    EXPECT_EQ(Z_OK, compress(out.data(), &length, data.data(), data.size()));
    out.resize(length);
    return out;
}

Bytes CompressedMovie(unsigned char version, const Bytes& body)
{
    return Movie("CWS", version, Compress(body), static_cast<uint32_t>(body.size() + 8));
}

const Bytes kBlue = Tag(9, {0x10, 0x20, 0xff});
const Bytes kEnd = Tag(0, {});

bool Parse(const Bytes& movie, SwfHeader& header)
{
    return ParseSwfHeader(movie.data(), movie.size(), header);
}

TEST(SwfHeader, ReadsTheHeaderFields)
{
    struct Case {
        const char* name;
        Bytes movie;
        int32_t width, height, version, frameRate, frameCount;
        unsigned char r, g, b;
    } cases[] = {
        {"stage 550 x 400", PlainMovie(9, Body({0, 11000, 0, 8000}, 0x00, 0x18, 10, kBlue)),
         550, 400, 9, 24, 10, 0x10, 0x20, 0xff},
        {"edges truncated before the difference",
         PlainMovie(8, Body({10, 8010, 0, 8000}, 0xf8, 0x1d, 1, kBlue)), 400, 400, 8, 29, 1, 0x10,
         0x20, 0xff},
        {"negative left edge", PlainMovie(10, Body({-200, 10800, -20, 8000}, 0, 12, 300, kBlue)),
         550, 401, 10, 12, 300, 0x10, 0x20, 0xff},
        {"colour behind other tags, one in long form",
         PlainMovie(9, Body({0, 2000, 0, 2000}, 0, 30, 2,
                            [] {
                                Bytes tags = Tag(69, {0, 0, 0, 0});
                                Bytes big = Tag(77, Bytes(100, 'x'), true);
                                tags.insert(tags.end(), big.begin(), big.end());
                                tags.insert(tags.end(), kBlue.begin(), kBlue.end());
                                return tags;
                            }())),
         100, 100, 9, 30, 2, 0x10, 0x20, 0xff},
        {"no colour before the end tag", PlainMovie(6, Body({0, 2000, 0, 400}, 0, 25, 7, kEnd)),
         100, 20, 6, 25, 7, 0, 0, 0},
        {"no tags at all", PlainMovie(6, Body({0, 2000, 0, 400}, 0, 25, 7, {})), 100, 20, 6, 25, 7,
         0, 0, 0},
        {"compressed body", CompressedMovie(11, Body({0, 11000, 0, 8000}, 0, 24, 10, kBlue)), 550,
         400, 11, 24, 10, 0x10, 0x20, 0xff},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SwfHeader header;
        ASSERT_TRUE(Parse(c.movie, header));
        EXPECT_EQ(c.width, header.width);
        EXPECT_EQ(c.height, header.height);
        EXPECT_EQ(c.version, header.version);
        EXPECT_EQ(c.frameRate, header.frameRate);
        EXPECT_EQ(c.frameCount, header.frameCount);
        EXPECT_EQ(c.r, header.r);
        EXPECT_EQ(c.g, header.g);
        EXPECT_EQ(c.b, header.b);
    }
}

Bytes Truncated(Bytes movie, size_t dropped)
{
    movie.resize(movie.size() - dropped);
    return movie;
}

TEST(SwfHeader, RefusesDataThatIsDamagedOrEndsEarly)
{
    const Bytes body = Body({0, 11000, 0, 8000}, 0, 24, 10, kBlue);
    Bytes damagedStream = CompressedMovie(9, body);
    damagedStream[10] ^= 0x55;
    Bytes wideRectangle = Movie("FWS", 9, {0xf8, 0xff, 0xff}, 11); // 31-bit fields, 3 bytes
    Bytes cutLongTag = PlainMovie(9, Body({0, 20, 0, 20}, 0, 1, 1, {0xff, 0x0f, 0x10, 0x00}));
    struct Case {
        const char* name;
        Bytes movie;
        int32_t version;
    } cases[] = {
        {"empty", {}, 0},
        {"three bytes", {'F', 'W', 'S'}, 0},
        {"signature and version only", {'F', 'W', 'S', 9}, 9},
        {"other signature", Movie("ZWS", 13, body, 100), 13},
        {"no body", Movie("FWS", 9, {}, 8), 9},
        {"rectangle wider than the data", wideRectangle, 9},
        {"frame count missing", Truncated(PlainMovie(9, Body({0, 20, 0, 20}, 0, 1, 1, {})), 1), 9},
        {"tag longer than the data", Truncated(PlainMovie(9, body), 1), 9},
        {"tag header cut", PlainMovie(9, Body({0, 20, 0, 20}, 0, 1, 1, {0x43})), 9},
        {"long tag length cut", cutLongTag, 9},
        {"colour tag too short", PlainMovie(9, Body({0, 20, 0, 20}, 0, 1, 1, Tag(9, {1, 2}))), 9},
        {"damaged compressed body", damagedStream, 9},
        {"compressed body cut", Truncated(CompressedMovie(9, body), 4), 9},
        {"compressed body longer than announced",
         Movie("CWS", 9, Compress(body), static_cast<uint32_t>(body.size() + 7)), 9},
        {"compressed, announced length below the header", Movie("CWS", 9, Compress(body), 3), 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SwfHeader header;
        header.width = 77;
        EXPECT_FALSE(Parse(c.movie, header));
        EXPECT_EQ(c.version, header.version);
    }
}

TEST(SwfHeader, AnnouncedLengthDoesNotDecideTheBuffer)
{
    // A compressed movie claiming 4 GiB still reads from the data it has.
    const Bytes body = Body({0, 11000, 0, 8000}, 0, 24, 10, kBlue);
    SwfHeader header;
    ASSERT_TRUE(Parse(Movie("CWS", 9, Compress(body), 0xffffffffu), header));
    EXPECT_EQ(550, header.width);
}

TEST(SwfHeader, ReadsAFile)
{
    ScratchFolder folder;
    const Bytes movie = CompressedMovie(9, Body({0, 6400, 0, 4800}, 0, 60, 5, kBlue));
    ASSERT_TRUE(WriteWholeFile(folder / L"movie.swf", movie.data(), static_cast<long>(movie.size())));
    SwfHeader header;
    ASSERT_TRUE(ReadSwfHeader(folder / L"movie.swf", header));
    EXPECT_EQ(320, header.width);
    EXPECT_EQ(240, header.height);
    EXPECT_EQ(60, header.frameRate);
    EXPECT_FALSE(ReadSwfHeader(folder / L"missing.swf", header));
    EXPECT_EQ(0, header.width);
}

} // namespace
