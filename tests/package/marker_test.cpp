#include "cpackage.h"
#include "cpackagebinary.h"
#include "cpackageform.h"
#ifdef _WIN32
#include "childprocess.h"
#endif
#include "packageconstants.h"
#include "packagelocator.h"
#include "packagetestsupport.h"
#include "packagewriter.h"
#include "scopedfileclose.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

ByteVector Concat(ByteVector first, const ByteVector& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(PackageMarker, IsTheEightKnownBytes)
{
    const auto magic = PackageConstants::PackageMagic();
    EXPECT_EQ(ByteVector({0x14, 0x09, 0x13, 0x49, 0x49, 0x13, 0x09, 0x14}), ByteVector(magic.begin(), magic.end()));
}

TEST(PackageMarker, ScanFindsThePackageAfterTheProgram)
{
    PackageContent content = FullPackage(14);
    const ByteVector package = WritePackage(content);
    const ByteVector partial = {0x14, 0x09, 0x13, 0x49};
    const struct {
        const char* label;
        ByteVector program;
        bool withMarker;
        bool loads;
    } cases[] = {
        {"marker first", {}, true, true},
        {"after program bytes", Pattern(5000, 1), true, true},
        {"right after a 0x14 byte", {'M', 'Z', 0x14}, true, true},
        {"after two 0x14 bytes", {0x14, 0x14}, true, true},
        {"after a partial marker", partial, true, true},
        {"after a partial marker and 0x14", {0x14, 0x09, 0x13, 0x49, 0x49, 0x13, 0x09, 0x00, 0x14}, true, true},
        {"no marker", Pattern(5000, 1), false, false},
        {"partial marker only", partial, false, false},
        {"marker across a scan block end", Pattern(kMarkerScanBlockBytes - 3, 2), true, true},
        {"partial marker across a scan block end", Concat(Pattern(kMarkerScanBlockBytes - 2, 2), partial), true, true},
        {"no marker after whole scan blocks", Pattern(2 * kMarkerScanBlockBytes, 2), false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        CPackage read;
        ASSERT_EQ(c.loads, LoadExecutableImage(BuildExecutableImage(c.program, package, c.withMarker), read));
        if (c.loads) {
            EXPECT_EQ(content.settings.password, read.GetPassword());
            ASSERT_EQ(content.forms.size(), read.Forms().size());
            // Stored blocks are read in place from the file: each must start
            // at its own offset after the program.
            int32_t length = 0;
            std::unique_ptr<unsigned char[]> bytes;
            ASSERT_TRUE(read.Forms()[0]->GetMovie(length, bytes));
            EXPECT_EQ(content.forms[0].movie, ByteVector(bytes.get(), bytes.get() + length));
            ASSERT_TRUE(read.EmbeddedFiles()[0]->GetData(length, bytes));
            EXPECT_EQ(content.embeddedFiles[0].bytes, ByteVector(bytes.get(), bytes.get() + length));
        }
    }
}

TEST(PackageMarker, PackageCutAfterTheMarkerFailsAndMissingFileFails)
{
    const ByteVector package = WritePackage(FullPackage(14));
    const ByteVector image = BuildExecutableImage(Pattern(100, 3), package);
    for (size_t cut : {size_t(108), size_t(112), image.size() - 1}) {
        CPackage read;
        EXPECT_FALSE(LoadExecutableImage(ByteVector(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(cut)),
                                         read))
            << cut;
    }
    CPackage read;
    EXPECT_FALSE(LoadPackageFromFile(WriteScratchFile({}) + L".missing", read));
}

TEST(PackageMarker, ScanLeavesTheStreamAfterTheMarker)
{
    // The marker ends before, at and after the end of the first scan block.
    for (size_t programLength : {size_t(3), kMarkerScanBlockBytes - 9, kMarkerScanBlockBytes - 8, kMarkerScanBlockBytes}) {
        SCOPED_TRACE(programLength);
        ByteVector program = Pattern(programLength, 4);
        program[programLength - 1] = 0x14;
        const ByteVector image = BuildExecutableImage(program, {0xAB, 0xCD});
        ScopedFileClose file(OpenFileWide(WriteScratchFile(image), L"rb"));
        ASSERT_TRUE(FindPackageMarker(file.Get()));
        EXPECT_EQ(0xAB, std::getc(file.Get()));
    }
}

// A program that holds the marker as one run of bytes would find itself
// before its appended package.
void ExpectNoMarkerIn(const std::wstring& path)
{
    std::unique_ptr<unsigned char[]> bytes;
    long length = 0;
    ASSERT_TRUE(ReadWholeFile(path, bytes, length));
    const auto magic = PackageConstants::PackageMagic();
    EXPECT_EQ(bytes.get() + length, std::search(bytes.get(), bytes.get() + length, magic.begin(), magic.end()));
    ScopedFileClose file(OpenFileWide(path, L"rb"));
    EXPECT_FALSE(FindPackageMarker(file.Get()));
}

// Build paths are the host's; under Wine they are reached through its drive.
std::wstring WidePath(const char* path)
{
#ifdef _WIN32
    return BuildTreePath(path);
#else
    return std::wstring(path, path + std::strlen(path));
#endif
}

TEST(PackageMarker, PackageAfterAProgramOfThisBuildLoads)
{
    // On Windows the probe is an image of this build's machine, whose
    // sections the scan skips; elsewhere it is scanned from its start.
    std::unique_ptr<unsigned char[]> bytes;
    long length = 0;
    ASSERT_TRUE(ReadWholeFile(WidePath(KOVA_MARKER_PROBE), bytes, length));
    const PackageContent content = FullPackage(14);
    CPackage read;
    ASSERT_TRUE(LoadExecutableImage(
        BuildExecutableImage(ByteVector(bytes.get(), bytes.get() + length), WritePackage(content)), read));
    EXPECT_EQ(content.settings.password, read.GetPassword());
    int32_t movieLength = 0;
    std::unique_ptr<unsigned char[]> movie;
    ASSERT_TRUE(read.Forms()[0]->GetMovie(movieLength, movie));
    EXPECT_EQ(content.forms[0].movie, ByteVector(movie.get(), movie.get() + movieLength));
}

TEST(PackageMarker, ProgramsLinkingThePackageReaderDoNotHoldTheMarker)
{
    ExpectNoMarkerIn(WidePath(KOVA_MARKER_PROBE));
#ifdef KOVA_RUNTIME_EXE
    ExpectNoMarkerIn(WidePath(KOVA_RUNTIME_EXE));
#endif
}

} // namespace
