#include "cpackage.h"
#include "cpackageform.h"
#include "packagetestsupport.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <climits>

namespace {

ByteVector ZlibStream(const ByteVector& plain)
{
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    ByteVector stream(size);
    compress(stream.data(), &size, plain.data(), static_cast<uLong>(plain.size()));
    stream.resize(size);
    return stream;
}

// Bytes that deflate hardly at all, so that a small image has a stream of
// many kilobytes.
ByteVector NoiseBytes(size_t length)
{
    ByteVector bytes(length);
    uint32_t state = 2463534242u;
    for (unsigned char& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<unsigned char>(state >> 24);
    }
    return bytes;
}

struct ImageCase {
    const char* label;
    ImageContent image;
    bool reads;      // the package record reads
    bool expands;    // the image expands
    ByteVector expected;
};

std::vector<ImageCase> ImageCases()
{
    const ByteVector image = Pattern(1000, 11);
    const ByteVector stream = ZlibStream(image);
    ByteVector zeroFilled = image;
    zeroFilled.resize(1200, 0);
    ByteVector damaged = stream;
    damaged[damaged.size() / 2] ^= 0xFF;
    damaged[2] ^= 0x40;

    std::vector<ImageCase> cases;
    const auto add = [&](const char* label, ImageContent content, bool reads, bool expands, ByteVector expected) {
        cases.push_back({label, std::move(content), reads, expands, std::move(expected)});
    };
    ImageContent sound;
    sound.image = image;
    add("sound", sound, true, true, image);
    add("absent", ImageContent(), true, false, {});
    ImageContent longer = sound;
    longer.expandedLength = 1200;
    add("inflates short of its length: zero-filled", longer, true, true, zeroFilled);
    ImageContent shorter = sound;
    shorter.expandedLength = 999;
    add("inflates past its length", shorter, true, false, {});
    ImageContent garbage;
    garbage.stream = Pattern(64, 3);
    garbage.expandedLength = 100;
    add("not a zlib stream", garbage, true, false, {});
    ImageContent broken;
    broken.stream = damaged;
    broken.expandedLength = 1000;
    add("damaged stream", broken, true, false, {});
    ImageContent cut;
    cut.stream = ByteVector(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(stream.size() / 2));
    cut.expandedLength = 1000;
    add("stream cut short", cut, true, false, {});
    ImageContent huge = sound;
    huge.expandedLength = INT32_MAX;
    add("huge expanded length", huge, true, false, {});
    for (int32_t length : {0, -1}) {
        ImageContent noLength = sound;
        noLength.expandedLength = length;
        add("expanded length not positive", noLength, true, false, {});
    }
    ImageContent negativeStored = sound;
    negativeStored.stream = ByteVector();
    negativeStored.storedLength = -20;
    add("negative stored length", negativeStored, true, false, {});
    ImageContent storedTooLong = sound;
    storedTooLong.storedLength = INT32_MAX;
    add("stored length beyond the data", storedTooLong, false, false, {});
    // A stream of several pieces of the reader's buffer: cut at a piece's
    // end, followed by more bytes, or with a damaged checksum at its end.
    ImageContent noisy;
    noisy.image = NoiseBytes(300000);
    add("stream of many kilobytes", noisy, true, true, noisy.image);
    const ByteVector noisyStream = ZlibStream(noisy.image);
    ImageContent cutAtPiece = noisy;
    cutAtPiece.stream = ByteVector(noisyStream.begin(), noisyStream.begin() + 2 * 65536);
    add("long stream cut at 128 KiB", cutAtPiece, true, false, {});
    ImageContent trailing = noisy;
    trailing.stream = noisyStream;
    trailing.stream->resize(noisyStream.size() + 5000, 0x55);
    add("bytes after the stream's end are ignored", trailing, true, true, noisy.image);
    ImageContent badChecksum = noisy;
    badChecksum.stream = noisyStream;
    badChecksum.stream->back() ^= 0x01;
    add("checksum damaged", badChecksum, true, false, {});
    return cases;
}

TEST(PackageImages, SplashTrayAndMaskExpandOrFail)
{
    for (const ImageCase& c : ImageCases()) {
        SCOPED_TRACE(c.label);
        for (int which = 0; which < 3; ++which) {
            PackageContent content;
            content.version = 8;
            FormContent form;
            form.version = 2;
            if (which == 0)
                content.splash = c.image;
            else if (which == 1)
                content.tray = c.image;
            else
                form.mask = c.image;
            content.forms = {form};
            CPackage package;
            ASSERT_EQ(c.reads, ReadPackageBytes(WritePackage(content), package)) << which;
            if (!c.reads)
                continue;
            std::unique_ptr<unsigned char[]> bytes;
            int32_t length = -1;
            bool expanded;
            if (which == 0)
                expanded = package.GetSplashImage(bytes, length);
            else if (which == 1)
                expanded = package.GetTrayIcon(bytes, length);
            else
                expanded = package.Forms()[0]->GetMaskImage(bytes, length);
            ASSERT_EQ(c.expands, expanded) << which;
            if (expanded)
                EXPECT_EQ(c.expected, ByteVector(bytes.get(), bytes.get() + length)) << which;
            else
                EXPECT_EQ(nullptr, bytes.get()) << which;
        }
    }
}

TEST(PackageImages, EachImageUsesItsOwnConstant)
{
    // The same image in all three places is stored differently.
    PackageContent content;
    content.version = 8;
    content.splash.image = Pattern(500, 1);
    content.tray.image = content.splash.image;
    FormContent form;
    form.version = 2;
    form.mask.image = content.splash.image;
    content.forms = {form};
    CPackage package;
    ASSERT_TRUE(ReadPackageBytes(WritePackage(content), package));
    const CompressedBlock& splash = package.SplashBlock();
    const CompressedBlock& tray = package.TrayBlock();
    const CompressedBlock& mask = package.Forms()[0]->MaskBlock();
    ASSERT_EQ(splash.StoredLength(), tray.StoredLength());
    ASSERT_EQ(splash.StoredLength(), mask.StoredLength());
    const size_t n = static_cast<size_t>(splash.StoredLength());
    EXPECT_NE(ByteVector(splash.Bytes(), splash.Bytes() + n), ByteVector(tray.Bytes(), tray.Bytes() + n));
    EXPECT_NE(ByteVector(splash.Bytes(), splash.Bytes() + n), ByteVector(mask.Bytes(), mask.Bytes() + n));
}

} // namespace
