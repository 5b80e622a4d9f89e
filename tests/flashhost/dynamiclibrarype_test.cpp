#include "dynamiclibrarype.h"

#include "testpeimage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

namespace {

const PeMachine kMachines[] = {PeMachine::I386, PeMachine::Amd64};

std::string MachineName(const testing::TestParamInfo<PeMachine>& info)
{
    return info.param == PeMachine::Amd64 ? "Amd64" : "I386";
}

// A file image laid out as the loader maps it.
struct Mapped {
    PeLayout layout;
    std::vector<std::uint8_t> image;
};

bool MapImage(const std::vector<std::uint8_t>& file, PeMachine machine, Mapped& mapped)
{
    if (!PeReadLayout(file.data(), file.size(), machine, mapped.layout))
        return false;
    mapped.image.assign(mapped.layout.sizeOfImage, 0);
    PeCopySections(file.data(), mapped.layout, mapped.image.data());
    return true;
}

Mapped MustMap(const TestPeImage& builder)
{
    Mapped mapped;
    EXPECT_TRUE(MapImage(builder.Build(), builder.machine, mapped));
    return mapped;
}

class PeImageTest : public testing::TestWithParam<PeMachine> {
protected:
    TestPeImage builder{GetParam()};
    bool is64() const { return GetParam() == PeMachine::Amd64; }
};

INSTANTIATE_TEST_SUITE_P(Machines, PeImageTest, testing::ValuesIn(kMachines), MachineName);

TEST_P(PeImageTest, ReadsTheLayoutOfAWellFormedImage)
{
    builder.entryPointRva = 0x1010;
    builder.data.assign(0x20, 0xAB);
    const std::vector<std::uint8_t> file = builder.Build();
    PeLayout layout;
    ASSERT_TRUE(PeReadLayout(file.data(), file.size(), GetParam(), layout));
    EXPECT_EQ(is64(), layout.is64);
    EXPECT_EQ(builder.imageBase, layout.imageBase);
    EXPECT_EQ(TestPeImage::kImageSize, layout.sizeOfImage);
    EXPECT_EQ(0x1010u, layout.entryPointRva);
    ASSERT_EQ(TestPeImage::kSectionCount, layout.sections.size());
    EXPECT_EQ(0x20u, layout.sections[0].copySize);
    EXPECT_EQ(0x100u, layout.sections[4].mappedSize);
    EXPECT_EQ(0u, layout.sections[4].copySize);
    EXPECT_FALSE(layout.relocationsStripped);
}

TEST_P(PeImageTest, RefusesDamagedHeaders)
{
    using Damage = std::function<void(std::vector<std::uint8_t>&)>;
    const std::size_t optional = TestPeImage::kOptionalOffset;
    const struct {
        const char* what;
        Damage damage;
    } cases[] = {
        {"empty", [](auto& f) { f.clear(); }},
        {"shorter than the DOS header", [](auto& f) { f.resize(63); }},
        {"cut inside the file header", [](auto& f) { f.resize(TestPeImage::kFileHeaderOffset + 10); }},
        {"cut inside the optional header", [&](auto& f) { f.resize(optional + 40); }},
        {"cut inside the section table", [&](auto& f) { f.resize(builder.SectionHeaderOffset(3) + 8); }},
        {"no MZ", [](auto& f) { f[0] = 'X'; }},
        {"no PE signature", [](auto& f) { f[TestPeImage::kNtOffset + 1] = 'X'; }},
        {"NT headers beyond the file", [](auto& f) { PutLe32(f, 0x3C, 0xFFFFFFF0); }},
        {"optional header magic of the other format", [&](auto& f) { PutLe16(f, optional, is64() ? 0x10B : 0x20B); }},
        {"optional header too short", [](auto& f) { PutLe16(f, TestPeImage::kFileHeaderOffset + 16, 40); }},
        {"optional header past the file",
         [](auto& f) { PutLe16(f, TestPeImage::kFileHeaderOffset + 16, 0xFFFF); }},
        {"size of image 0", [&](auto& f) { PutLe32(f, optional + 56, 0); }},
        {"size of image huge", [&](auto& f) { PutLe32(f, optional + 56, 0xFFFFF000); }},
        {"headers larger than the image", [&](auto& f) { PutLe32(f, optional + 60, TestPeImage::kImageSize + 1); }},
        {"headers larger than the file", [&](auto& f) { f.resize(0x300); }},
        {"entry point beyond the image", [&](auto& f) { PutLe32(f, optional + 16, TestPeImage::kImageSize); }},
        {"section past the end of the image",
         [&](auto& f) { PutLe32(f, builder.SectionHeaderOffset(4) + 8, 0x1001); }},
        {"section address overflowing",
         [&](auto& f) { PutLe32(f, builder.SectionHeaderOffset(1) + 12, 0xFFFFF000); }},
        {"section data past the end of the file",
         [&](auto& f) { PutLe32(f, builder.SectionHeaderOffset(3) + 20, 0x4000); }},
        {"section data offset overflowing",
         [&](auto& f) { PutLe32(f, builder.SectionHeaderOffset(2) + 20, 0xFFFFFF00); }},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> file = builder.Build();
        c.damage(file);
        PeLayout layout;
        EXPECT_FALSE(PeReadLayout(file.data(), file.size(), GetParam(), layout)) << c.what;
    }
}

TEST(PeImage, RefusesTheOtherMachine)
{
    const std::vector<std::uint8_t> file32 = TestPeImage(PeMachine::I386).Build();
    const std::vector<std::uint8_t> file64 = TestPeImage(PeMachine::Amd64).Build();
    PeLayout layout;
    EXPECT_FALSE(PeReadLayout(file32.data(), file32.size(), PeMachine::Amd64, layout));
    EXPECT_FALSE(PeReadLayout(file64.data(), file64.size(), PeMachine::I386, layout));
    EXPECT_FALSE(PeReadLayout(nullptr, 100, PeNativeMachine(), layout));
}

TEST_P(PeImageTest, CopiesSectionsCutToTheirSizeAndLeavesTheRestZero)
{
    builder.data.assign(0x40, 0x5A);
    builder.dataVirtualSize = 0x30; // raw data longer than the section: cut
    std::vector<std::uint8_t> file = builder.Build();
    // Bytes in the file right after the data section's raw data must not leak in.
    Mapped mapped;
    ASSERT_TRUE(MapImage(file, GetParam(), mapped));
    const std::uint8_t* data = mapped.image.data() + TestPeImage::kDataRva;
    EXPECT_EQ(0x5A, data[0]);
    EXPECT_EQ(0x5A, data[0x2F]);
    EXPECT_EQ(0, data[0x30]);
    for (std::uint32_t i = 0; i < builder.bssSize; ++i)
        ASSERT_EQ(0, mapped.image[TestPeImage::kBssRva + i]);
    EXPECT_EQ('M', mapped.image[0]);
    EXPECT_EQ(0, std::memcmp(file.data(), mapped.image.data(), TestPeImage::kHeadersSize));
}

TEST_P(PeImageTest, RelocatesAbsoluteAddressesByTheDelta)
{
    builder.data.assign(0x40, 0);
    const unsigned type = is64() ? 10 : 3;
    const std::uint32_t width = is64() ? 8 : 4;
    const std::uint64_t pointsAt = builder.imageBase + TestPeImage::kDataRva + 0x20;
    for (std::uint32_t i = 0; i < width; ++i) {
        builder.data[i] = static_cast<std::uint8_t>(pointsAt >> (8 * i));
        builder.data[0x10 + i] = static_cast<std::uint8_t>(pointsAt >> (8 * i));
    }
    builder.relocations = {{TestPeImage::kDataRva, type}, {TestPeImage::kDataRva + 0x10, type}};
    Mapped mapped = MustMap(builder);
    const std::uint64_t newBase = is64() ? 0x7FF000000000ull : 0x00500000ull;
    ASSERT_TRUE(PeApplyRelocations(mapped.image.data(), mapped.layout, newBase));
    const std::uint8_t* data = mapped.image.data() + TestPeImage::kDataRva;
    const std::uint64_t expected = newBase + TestPeImage::kDataRva + 0x20;
    EXPECT_EQ(expected, is64() ? GetLe64(data) : GetLe32(data));
    EXPECT_EQ(expected, is64() ? GetLe64(data + 0x10) : GetLe32(data + 0x10));

    Mapped atHome = MustMap(builder);
    ASSERT_TRUE(PeApplyRelocations(atHome.image.data(), atHome.layout, builder.imageBase));
    EXPECT_EQ(pointsAt, is64() ? GetLe64(atHome.image.data() + TestPeImage::kDataRva)
                               : GetLe32(atHome.image.data() + TestPeImage::kDataRva));
}

TEST(PeImage, AppliesHighAndLowHalfFixups)
{
    TestPeImage builder(PeMachine::I386);
    builder.data = {0x34, 0x12, 0x78, 0x56};
    builder.relocations = {{TestPeImage::kDataRva, 1}, {TestPeImage::kDataRva + 2, 2}};
    Mapped mapped = MustMap(builder);
    ASSERT_TRUE(PeApplyRelocations(mapped.image.data(), mapped.layout, builder.imageBase + 0x00020003));
    const std::uint8_t* data = mapped.image.data() + TestPeImage::kDataRva;
    EXPECT_EQ(0x1236, data[0] | data[1] << 8);
    EXPECT_EQ(0x567B, data[2] | data[3] << 8);
}

TEST_P(PeImageTest, RefusesBrokenRelocationBlocks)
{
    builder.data.assign(0x20, 0);
    builder.relocations = {{TestPeImage::kDataRva, 3}};
    const std::size_t block = TestPeImage::FileOffset(TestPeImage::kRelocationRva);
    const std::size_t directory = builder.DirectoryOffset(kPeRelocationDirectory);
    using Damage = std::function<void(std::vector<std::uint8_t>&)>;
    const struct {
        const char* what;
        Damage damage;
    } cases[] = {
        {"block size 0 (would never end)", [&](auto& f) { PutLe32(f, block + 4, 0); }},
        {"block size below its header", [&](auto& f) { PutLe32(f, block + 4, 6); }},
        {"block past the directory's end", [&](auto& f) { PutLe32(f, block + 4, 0x40); }},
        {"directory shorter than a block header", [&](auto& f) { PutLe32(f, directory + 4, 4); }},
        {"directory past the image", [&](auto& f) { PutLe32(f, directory, TestPeImage::kImageSize - 8); }},
        {"fix-up past the image", [&](auto& f) { PutLe32(f, block, TestPeImage::kImageSize - 2); }},
        {"fix-up page overflowing", [&](auto& f) { PutLe32(f, block, 0xFFFFFFFF); }},
        {"unknown fix-up type", [&](auto& f) { PutLe16(f, block + 8, 0x5000); }},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> file = builder.Build();
        c.damage(file);
        Mapped mapped;
        ASSERT_TRUE(MapImage(file, GetParam(), mapped)) << c.what;
        EXPECT_FALSE(PeApplyRelocations(mapped.image.data(), mapped.layout, builder.imageBase + 0x10000)) << c.what;
    }
}

TEST(PeImage, StopsAtZeroPaddingAfterTheLastRelocationBlock)
{
    TestPeImage builder(PeMachine::I386);
    builder.data = {0x10, 0, 0, 0};
    builder.relocations = {{TestPeImage::kDataRva, 3}};
    std::vector<std::uint8_t> file = builder.Build();
    PutLe32(file, builder.DirectoryOffset(kPeRelocationDirectory) + 4, 12 + 8);
    Mapped mapped;
    ASSERT_TRUE(MapImage(file, PeMachine::I386, mapped));
    ASSERT_TRUE(PeApplyRelocations(mapped.image.data(), mapped.layout, builder.imageBase + 0x100));
    EXPECT_EQ(0x110u, GetLe32(mapped.image.data() + TestPeImage::kDataRva));
}

TEST(PeImage, Refuses64BitFixupsInA32BitImage)
{
    TestPeImage builder(PeMachine::I386);
    builder.data.assign(0x20, 0);
    builder.relocations = {{TestPeImage::kDataRva, 10}};
    Mapped mapped = MustMap(builder);
    EXPECT_FALSE(PeApplyRelocations(mapped.image.data(), mapped.layout, builder.imageBase + 0x10000));
}

TEST_P(PeImageTest, ReadsImportsByNameAndOrdinal)
{
    builder.imports = {{"first.dll", {"Alpha", "Beta"}, {7}, true, false},
                       {"second.dll", {"Gamma"}, {}, false, false},
                       {"bound.dll", {"Delta"}, {300}, true, true}};
    Mapped mapped = MustMap(builder);
    std::vector<PeImportModule> modules;
    ASSERT_TRUE(PeReadImports(mapped.image.data(), mapped.layout, modules));
    ASSERT_EQ(3u, modules.size());
    EXPECT_EQ("first.dll", modules[0].name);
    ASSERT_EQ(3u, modules[0].imports.size());
    EXPECT_EQ("Alpha", modules[0].imports[0].name); // the hint is skipped
    EXPECT_EQ("Beta", modules[0].imports[1].name);
    EXPECT_TRUE(modules[0].imports[2].byOrdinal);
    EXPECT_EQ(7, modules[0].imports[2].ordinal);
    const std::uint32_t thunk = is64() ? 8 : 4;
    EXPECT_EQ(modules[0].imports[0].slotRva + thunk, modules[0].imports[1].slotRva);
    // Without a lookup table the names come from the address table.
    ASSERT_EQ(1u, modules[1].imports.size());
    EXPECT_EQ("Gamma", modules[1].imports[0].name);
    // A bound image's stale addresses are ignored; its lookup table names the imports.
    ASSERT_EQ(2u, modules[2].imports.size());
    EXPECT_EQ("Delta", modules[2].imports[0].name);
    EXPECT_EQ(300, modules[2].imports[1].ordinal);
    // The slots are the address table's entries.
    const std::uint8_t* slot = mapped.image.data() + modules[2].imports[0].slotRva;
    EXPECT_EQ(0x7654321u, is64() ? GetLe64(slot) : GetLe32(slot));
}

TEST_P(PeImageTest, ReadsNoImportsFromAnImageWithout)
{
    Mapped mapped = MustMap(builder);
    std::vector<PeImportModule> modules(1);
    EXPECT_TRUE(PeReadImports(mapped.image.data(), mapped.layout, modules));
    EXPECT_TRUE(modules.empty());
}

TEST_P(PeImageTest, RefusesImportsOutsideTheImage)
{
    builder.imports = {{"first.dll", {"Alpha"}, {}, true, false}};
    const std::size_t descriptor = TestPeImage::FileOffset(TestPeImage::kImportRva);
    const std::size_t directory = builder.DirectoryOffset(kPeImportDirectory);
    const std::uint32_t thunk = is64() ? 8 : 4;
    const std::uint32_t lookup = TestPeImage::kImportRva + 40;
    using Damage = std::function<void(std::vector<std::uint8_t>&)>;
    const struct {
        const char* what;
        Damage damage;
    } cases[] = {
        {"descriptors run past the image", [&](auto& f) { PutLe32(f, directory, TestPeImage::kImageSize - 10); }},
        {"descriptor beyond the image", [&](auto& f) { PutLe32(f, directory, 0xFFFFFFF0); }},
        {"module name beyond the image", [&](auto& f) { PutLe32(f, descriptor + 12, TestPeImage::kImageSize); }},
        {"address table missing", [&](auto& f) { PutLe32(f, descriptor + 16, 0); }},
        {"lookup table beyond the image", [&](auto& f) { PutLe32(f, descriptor, TestPeImage::kImageSize - thunk / 2); }},
        {"address table beyond the image", [&](auto& f) { PutLe32(f, descriptor + 16, 0xFFFFFFFC); }},
        {"hint/name beyond the image",
         [&](auto& f) { PutLe32(f, TestPeImage::FileOffset(lookup), TestPeImage::kImageSize - 1); }},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> file = builder.Build();
        c.damage(file);
        Mapped mapped;
        ASSERT_TRUE(MapImage(file, GetParam(), mapped)) << c.what;
        std::vector<PeImportModule> modules;
        EXPECT_FALSE(PeReadImports(mapped.image.data(), mapped.layout, modules)) << c.what;
    }
}

TEST(PeImage, RefusesTextsThatRunToTheEndOfTheImage)
{
    TestPeImage builder(PeNativeMachine());
    builder.imports = {{"first.dll", {"Alpha"}, {}, true, false}};
    builder.bssSize = 0x1000;
    Mapped mapped = MustMap(builder);
    std::fill(mapped.image.end() - 0x10, mapped.image.end(), 'x');
    std::vector<std::uint8_t>& image = mapped.image;
    const std::size_t nameField = TestPeImage::kImportRva + 12;
    const std::uint32_t unterminated = TestPeImage::kImageSize - 0x10;
    for (int i = 0; i < 4; ++i)
        image[nameField + i] = static_cast<std::uint8_t>(unterminated >> (8 * i));
    std::vector<PeImportModule> modules;
    EXPECT_FALSE(PeReadImports(image.data(), mapped.layout, modules));
}

TEST_P(PeImageTest, FindsExportsByExactName)
{
    builder.data.assign(0x20, 0);
    builder.exports = {{"First", 0x1000, ""}, {"Second", 0x1010, ""}, {"Moved", 0, "other.Thing"}};
    Mapped mapped = MustMap(builder);
    ASSERT_TRUE(PeCheckExports(mapped.image.data(), mapped.layout));
    EXPECT_EQ(0x1000u, PeFindExport(mapped.image.data(), mapped.layout, "First"));
    EXPECT_EQ(0x1010u, PeFindExport(mapped.image.data(), mapped.layout, "Second"));
    EXPECT_EQ(0u, PeFindExport(mapped.image.data(), mapped.layout, "second"));
    EXPECT_EQ(0u, PeFindExport(mapped.image.data(), mapped.layout, "Third"));
    EXPECT_EQ(0u, PeFindExport(mapped.image.data(), mapped.layout, ""));
    // A forwarder names another library's export; it is not an address here.
    EXPECT_EQ(0u, PeFindExport(mapped.image.data(), mapped.layout, "Moved"));
}

TEST_P(PeImageTest, AnswersNothingWithoutAnExportDirectory)
{
    Mapped mapped = MustMap(builder);
    EXPECT_TRUE(PeCheckExports(mapped.image.data(), mapped.layout));
    EXPECT_EQ(0u, PeFindExport(mapped.image.data(), mapped.layout, "First"));
}

TEST_P(PeImageTest, RefusesExportArraysOutsideTheImage)
{
    builder.data.assign(0x20, 0);
    builder.exports = {{"First", 0x1000, ""}, {"Second", 0x1010, ""}};
    const std::size_t header = TestPeImage::FileOffset(TestPeImage::kExportRva);
    const std::size_t directory = builder.DirectoryOffset(kPeExportDirectory);
    using Damage = std::function<void(std::vector<std::uint8_t>&)>;
    const struct {
        const char* what;
        Damage damage;
    } cases[] = {
        {"directory past the image", [&](auto& f) { PutLe32(f, directory, TestPeImage::kImageSize - 20); }},
        {"function count past the image", [&](auto& f) { PutLe32(f, header + 20, 0x40000000); }},
        {"name count past the image", [&](auto& f) { PutLe32(f, header + 24, 0x40000000); }},
        {"function array past the image", [&](auto& f) { PutLe32(f, header + 28, TestPeImage::kImageSize - 4); }},
        {"name array past the image", [&](auto& f) { PutLe32(f, header + 32, 0xFFFFFFFC); }},
        {"ordinal array past the image", [&](auto& f) { PutLe32(f, header + 36, TestPeImage::kImageSize - 2); }},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> file = builder.Build();
        c.damage(file);
        Mapped mapped;
        ASSERT_TRUE(MapImage(file, GetParam(), mapped)) << c.what;
        EXPECT_FALSE(PeCheckExports(mapped.image.data(), mapped.layout)) << c.what;
        EXPECT_EQ(0u, PeFindExport(mapped.image.data(), mapped.layout, "Second")) << c.what;
    }
}

TEST_P(PeImageTest, RefusesExportEntriesOutsideTheImage)
{
    builder.data.assign(0x20, 0);
    builder.exports = {{"First", 0x1000, ""}, {"Second", 0x1010, ""}};
    const std::uint32_t functions = TestPeImage::kExportRva + 40;
    const std::uint32_t names = functions + 8;
    const std::uint32_t ordinals = names + 8;
    using Damage = std::function<void(std::vector<std::uint8_t>&)>;
    const struct {
        const char* what;
        Damage damage;
    } cases[] = {
        {"name beyond the image", [&](auto& f) { PutLe32(f, TestPeImage::FileOffset(names + 4), 0xFFFFFF00); }},
        {"ordinal beyond the functions", [&](auto& f) { PutLe16(f, TestPeImage::FileOffset(ordinals + 2), 2); }},
        {"address beyond the image",
         [&](auto& f) { PutLe32(f, TestPeImage::FileOffset(functions + 4), TestPeImage::kImageSize); }},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> file = builder.Build();
        c.damage(file);
        Mapped mapped;
        ASSERT_TRUE(MapImage(file, GetParam(), mapped)) << c.what;
        EXPECT_FALSE(PeCheckExports(mapped.image.data(), mapped.layout)) << c.what;
        EXPECT_EQ(0u, PeFindExport(mapped.image.data(), mapped.layout, "Second")) << c.what;
        EXPECT_EQ(0x1000u, PeFindExport(mapped.image.data(), mapped.layout, "First")) << c.what;
    }
}

TEST_P(PeImageTest, ProtectsPagesAsTheirSectionsAsk)
{
    builder.data.assign(0x20, 0);
    builder.bssSize = 0x1800; // runs one page past the image's declared sections
    std::vector<std::uint8_t> file = builder.Build();
    PutLe32(file, TestPeImage::kOptionalOffset + 56, 0x8000);
    PutLe32(file, builder.SectionHeaderOffset(2) + 36, 0x60000000); // relocation page: execute, read
    PeLayout layout;
    ASSERT_TRUE(PeReadLayout(file.data(), file.size(), GetParam(), layout));
    const std::vector<PeProtectedRange> ranges = PeSectionProtections(layout, 0x1000);
    const std::vector<PeProtectedRange> expected = {
        {0x0000, 0x1000, kPeRead},
        {0x1000, 0x1000, kPeRead | kPeWrite},
        {0x2000, 0x1000, kPeRead},
        {0x3000, 0x1000, kPeRead | kPeExecute},
        {0x4000, 0x3000, kPeRead | kPeWrite},
        {0x7000, 0x1000, kPeRead},
    };
    ASSERT_EQ(expected.size(), ranges.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].rva, ranges[i].rva) << i;
        EXPECT_EQ(expected[i].size, ranges[i].size) << i;
        EXPECT_EQ(expected[i].access, ranges[i].access) << i;
    }
}

TEST(PeImage, ReadsAndChecksTheExceptionTable)
{
    TestPeImage builder(PeMachine::Amd64);
    builder.data.assign(0x40, 0);
    // Two function entries: [0x1000, 0x1010) and [0x1010, 0x1020), unwind data at 0x1030.
    const std::uint32_t entries[] = {0x1000, 0x1010, 0x1030, 0x1010, 0x1020, 0x1030};
    for (std::size_t i = 0; i < 6; ++i)
        for (int b = 0; b < 4; ++b)
            builder.data[i * 4 + b] = static_cast<std::uint8_t>(entries[i] >> (8 * b));
    std::vector<std::uint8_t> file = builder.Build();
    PutLe32(file, builder.DirectoryOffset(kPeExceptionDirectory), TestPeImage::kDataRva);
    PutLe32(file, builder.DirectoryOffset(kPeExceptionDirectory) + 4, 24);
    Mapped mapped;
    ASSERT_TRUE(MapImage(file, PeMachine::Amd64, mapped));
    std::uint32_t rva = 0, count = 0;
    ASSERT_TRUE(PeReadExceptionTable(mapped.image.data(), mapped.layout, rva, count));
    EXPECT_EQ(TestPeImage::kDataRva, rva);
    EXPECT_EQ(2u, count);

    PeLayout uneven = mapped.layout;
    uneven.directories[kPeExceptionDirectory].size = 20;
    EXPECT_FALSE(PeReadExceptionTable(mapped.image.data(), uneven, rva, count));
    std::vector<std::uint8_t> badEntry = mapped.image;
    PutLe32(badEntry, TestPeImage::kDataRva + 20, 0xFFFFFFF0); // unwind data beyond the image
    EXPECT_FALSE(PeReadExceptionTable(badEntry.data(), mapped.layout, rva, count));
    PeLayout outside = mapped.layout;
    outside.directories[kPeExceptionDirectory].rva = TestPeImage::kImageSize - 12;
    outside.directories[kPeExceptionDirectory].size = 24;
    EXPECT_FALSE(PeReadExceptionTable(mapped.image.data(), outside, rva, count));
}

// Random damage to a full image must never make the checks read or write
// outside the file or the mapped image (the sanitizers watch this).
TEST_P(PeImageTest, SurvivesRandomDamage)
{
    builder.data.assign(0x40, 0);
    builder.exports = {{"First", 0x1000, ""}, {"Moved", 0, "other.Thing"}};
    builder.relocations = {{TestPeImage::kDataRva, is64() ? 10u : 3u}, {TestPeImage::kDataRva + 0x10, 3}};
    builder.imports = {{"first.dll", {"Alpha", "Beta"}, {7}, true, false}, {"second.dll", {"Gamma"}, {}, false, true}};
    const std::vector<std::uint8_t> original = builder.Build();
    std::mt19937 random(1234);
    std::uniform_int_distribution<std::size_t> headerOffset(0, TestPeImage::kHeadersSize - 1);
    std::uniform_int_distribution<std::size_t> anyOffset(0, original.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    int mapped = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> file = original;
        for (int i = 0; i < 4; ++i)
            file[round % 2 ? headerOffset(random) : anyOffset(random)] = static_cast<std::uint8_t>(byte(random));
        if (round % 7 == 0)
            file.resize(anyOffset(random));
        PeLayout layout;
        if (!PeReadLayout(file.data(), file.size(), GetParam(), layout) || layout.sizeOfImage > 0x100000)
            continue;
        ++mapped;
        std::vector<std::uint8_t> image(layout.sizeOfImage, 0);
        PeCopySections(file.data(), layout, image.data());
        PeApplyRelocations(image.data(), layout, builder.imageBase + 0x10000);
        std::vector<PeImportModule> modules;
        PeReadImports(image.data(), layout, modules);
        PeCheckExports(image.data(), layout);
        PeFindExport(image.data(), layout, "First");
        PeSectionProtections(layout, 0x1000);
        std::uint32_t rva = 0, count = 0;
        PeReadExceptionTable(image.data(), layout, rva, count);
    }
    EXPECT_GT(mapped, 300); // enough rounds got past the headers to exercise the rest
}

} // namespace
