#include "dynamiclibrarymsw.h"

#include "childprocess.h"
#include "testpeimage.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ReadImage(const char* hostPath)
{
    std::unique_ptr<unsigned char[]> bytes;
    long length = 0;
    if (!ReadWholeFile(BuildTreePath(hostPath), bytes, length) || length <= 0) {
        ADD_FAILURE() << "cannot read " << hostPath;
        return {};
    }
    return std::vector<std::uint8_t>(bytes.get(), bytes.get() + length);
}

std::vector<std::uint8_t> ProbeImage()
{
    return ReadImage(KOVA_PROBE_DLL);
}

std::vector<std::uint8_t> OrdinalUserImage()
{
    return ReadImage(KOVA_ORDUSER_DLL);
}

// Replaces every occurrence of a byte pattern; returns how many there were.
int Patch(std::vector<std::uint8_t>& image, const std::string& from, const std::string& to)
{
    int count = 0;
    for (auto at = image.begin();; ++at) {
        at = std::search(at, image.end(), from.begin(), from.end(),
                         [](std::uint8_t byte, char c) { return byte == static_cast<std::uint8_t>(c); });
        if (at == image.end())
            return count;
        std::copy(to.begin(), to.end(), at);
        ++count;
    }
}

// The import-by-ordinal entry for ordinal n, as the image's thunks hold it.
std::string OrdinalThunk(std::uint8_t ordinal)
{
    std::string thunk(sizeof(void*), '\0');
    thunk[0] = static_cast<char>(ordinal);
    thunk.back() = static_cast<char>(0x80);
    return thunk;
}

template <typename Function>
Function Symbol(const DynamicLibrary& library, const char* name)
{
    return reinterpret_cast<Function>(const_cast<void*>(library.GetSymbol(name)));
}

std::string ProbeReasons()
{
    char log[64] = "";
    GetEnvironmentVariableA("KOVA_PROBE_REASONS", log, sizeof log);
    return log;
}

class ProbeLog : public testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableA("KOVA_PROBE_REASONS", ""); }
    void TearDown() override { SetEnvironmentVariableA("KOVA_PROBE_REFUSE", nullptr); }
};

TEST(DynamicLibraryMSW, MapsALinkedLibraryAndFindsItsExports)
{
    const std::vector<std::uint8_t> image = ProbeImage();
    DynamicLibraryMSW library(image.data(), static_cast<std::uint32_t>(image.size()));
    ASSERT_TRUE(library.m_loaded);
    auto add = Symbol<int (*)(int, int)>(library, "ProbeAdd");
    ASSERT_NE(nullptr, add);
    EXPECT_EQ(5, add(2, 3));
    EXPECT_EQ(1, Symbol<int (*)()>(library, "ProbeRelocatedPointerOk")());
    EXPECT_EQ(1, Symbol<int (*)()>(library, "ProbeZerosAreZero")());
    EXPECT_EQ(1, Symbol<int (*)()>(library, "ProbeStaticInitialised")());
    EXPECT_STREQ("probe", Symbol<const char* (*)()>(library, "ProbeText")());
    EXPECT_EQ(nullptr, library.GetSymbol("probeadd"));
    EXPECT_EQ(nullptr, library.GetSymbol("ProbeAd"));
    EXPECT_EQ(nullptr, library.GetSymbol("NotThere"));
}

TEST(DynamicLibraryMSW, ProtectsCodeAndReadOnlyDataAsTheirSectionsAsk)
{
    const std::vector<std::uint8_t> image = ProbeImage();
    DynamicLibraryMSW library(image.data(), static_cast<std::uint32_t>(image.size()));
    ASSERT_TRUE(library.m_loaded);
    MEMORY_BASIC_INFORMATION code = {};
    ASSERT_NE(0u, VirtualQuery(library.GetSymbol("ProbeAdd"), &code, sizeof code));
    EXPECT_EQ(static_cast<DWORD>(PAGE_EXECUTE_READ), code.Protect);
    MEMORY_BASIC_INFORMATION text = {};
    ASSERT_NE(0u, VirtualQuery(Symbol<const char* (*)()>(library, "ProbeText")(), &text, sizeof text));
    EXPECT_EQ(static_cast<DWORD>(PAGE_READONLY), text.Protect);
}

TEST(DynamicLibraryMSW, RelocatesACopyMappedAwayFromItsPreferredBase)
{
    const std::vector<std::uint8_t> image = ProbeImage();
    DynamicLibraryMSW first(image.data(), static_cast<std::uint32_t>(image.size()));
    DynamicLibraryMSW second(image.data(), static_cast<std::uint32_t>(image.size()));
    ASSERT_TRUE(first.m_loaded);
    ASSERT_TRUE(second.m_loaded);
    // The two copies cannot share the preferred base, so at least one was moved.
    EXPECT_NE(first.GetSymbol("ProbeAdd"), second.GetSymbol("ProbeAdd"));
    EXPECT_EQ(1, Symbol<int (*)()>(first, "ProbeRelocatedPointerOk")());
    EXPECT_EQ(1, Symbol<int (*)()>(second, "ProbeRelocatedPointerOk")());
    EXPECT_EQ(9, Symbol<int (*)(int, int)>(second, "ProbeAdd")(4, 5));
}

TEST(DynamicLibraryMSW, LetsExceptionsUnwindThroughTheLibrary)
{
    const std::vector<std::uint8_t> image = ProbeImage();
    DynamicLibraryMSW library(image.data(), static_cast<std::uint32_t>(image.size()));
    ASSERT_TRUE(library.m_loaded);
    auto catches = Symbol<int (*)(int)>(library, "ProbeCatchesException");
    ASSERT_NE(nullptr, catches);
    EXPECT_EQ(1, catches(3));
    EXPECT_EQ(0, catches(0));
}

TEST_F(ProbeLog, CallsTheEntryPointToAttachAndDetachInOrder)
{
    {
        const std::vector<std::uint8_t> image = ProbeImage();
        DynamicLibraryMSW library(image.data(), static_cast<std::uint32_t>(image.size()));
        ASSERT_TRUE(library.m_loaded);
        EXPECT_EQ("12", ProbeReasons());
    }
    EXPECT_EQ("1230", ProbeReasons());
}

TEST_F(ProbeLog, FailsWhenTheLibraryRefusesToAttach)
{
    SetEnvironmentVariableA("KOVA_PROBE_REFUSE", "1");
    const std::vector<std::uint8_t> image = ProbeImage();
    DynamicLibraryMSW library(image.data(), static_cast<std::uint32_t>(image.size()));
    EXPECT_FALSE(library.m_loaded);
    EXPECT_EQ(nullptr, library.GetSymbol("ProbeAdd"));
    EXPECT_EQ("10", ProbeReasons());
}

TEST(DynamicLibraryMSW, ResolvesImportsByOrdinalAndReleasesThemOnUnload)
{
    const std::vector<std::uint8_t> image = OrdinalUserImage();
    {
        DynamicLibraryMSW library(image.data(), static_cast<std::uint32_t>(image.size()));
        ASSERT_TRUE(library.m_loaded);
        EXPECT_NE(nullptr, GetModuleHandleA("flashhost_ordsource.dll"));
        EXPECT_EQ(42, Symbol<int (*)()>(library, "UserValue")());
        EXPECT_NE(0u, Symbol<DWORD (*)()>(library, "UserTickCount")());
    }
    EXPECT_EQ(nullptr, GetModuleHandleA("flashhost_ordsource.dll"));
}

TEST(DynamicLibraryMSW, RefusesImagesItCannotCompleteAndKeepsNothingLoaded)
{
    const std::vector<std::uint8_t> user = OrdinalUserImage();
    const std::vector<std::uint8_t> probe = ProbeImage();
    const PeMachine otherMachine = PeNativeMachine() == PeMachine::Amd64 ? PeMachine::I386 : PeMachine::Amd64;
    const struct {
        const char* what;
        std::vector<std::uint8_t> image;
        std::string from, to;
    } cases[] = {
        {"import module missing", user, "flashhost_ordsource.dll", "flashhost_ordsourcX.dll"},
        {"import name missing", user, "GetTickCount", "GetTickCounX"},
        {"import ordinal missing", user, OrdinalThunk(7), OrdinalThunk(9)},
        {"machine of the other build", TestPeImage(otherMachine).Build(), "", ""},
        {"truncated", std::vector<std::uint8_t>(probe.begin(), probe.begin() + probe.size() / 2), "", ""},
        {"not an image", std::vector<std::uint8_t>(4096, 'x'), "", ""},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> image = c.image;
        if (!c.from.empty()) {
            ASSERT_GT(Patch(image, c.from, c.to), 0) << c.what;
        }
        DynamicLibraryMSW library(image.data(), static_cast<std::uint32_t>(image.size()));
        EXPECT_FALSE(library.m_loaded) << c.what;
        EXPECT_EQ(nullptr, library.GetSymbol("UserValue")) << c.what;
        // Modules loaded for the imports before the failure are released again.
        EXPECT_EQ(nullptr, GetModuleHandleA("flashhost_ordsource.dll")) << c.what;
    }
}

// A hand-made image: no entry point, no imports, one pointer to relocate.
TEST(DynamicLibraryMSW, MapsAHandMadeImageAtAnyBase)
{
    TestPeImage builder(PeNativeMachine());
    builder.data.assign(0x40, 0);
    const std::uint64_t target = builder.imageBase + TestPeImage::kDataRva + 0x20;
    std::memcpy(builder.data.data(), &target, sizeof(void*));
    std::memcpy(builder.data.data() + 0x20, "mapped", 7);
    builder.relocations = {{TestPeImage::kDataRva, sizeof(void*) == 8 ? 10u : 3u}};
    builder.exports = {{"Pointer", TestPeImage::kDataRva, ""}, {"Text", TestPeImage::kDataRva + 0x20, ""}};
    const std::vector<std::uint8_t> image = builder.Build();

    DynamicLibraryMSW first(image.data(), static_cast<std::uint32_t>(image.size()));
    DynamicLibraryMSW second(image.data(), static_cast<std::uint32_t>(image.size()));
    for (const DynamicLibraryMSW* library : {&first, &second}) {
        ASSERT_TRUE(library->m_loaded);
        const char* text = static_cast<const char*>(library->GetSymbol("Text"));
        ASSERT_NE(nullptr, text);
        EXPECT_STREQ("mapped", text);
        EXPECT_EQ(text, *static_cast<const char* const*>(library->GetSymbol("Pointer")));
    }
    EXPECT_NE(first.GetSymbol("Text"), second.GetSymbol("Text"));
}

TEST(DynamicLibraryMSW, AnswersNullForAnImageWithoutExports)
{
    TestPeImage builder(PeNativeMachine());
    builder.data.assign(0x10, 1);
    const std::vector<std::uint8_t> image = builder.Build();
    DynamicLibraryMSW library(image.data(), static_cast<std::uint32_t>(image.size()));
    ASSERT_TRUE(library.m_loaded);
    EXPECT_EQ(nullptr, library.GetSymbol("Anything"));
}

TEST(DynamicLibraryMSW, RefusesAHandMadeImageWithBrokenExports)
{
    TestPeImage builder(PeNativeMachine());
    builder.data.assign(0x10, 1);
    builder.exports = {{"Value", TestPeImage::kDataRva, ""}};
    std::vector<std::uint8_t> image = builder.Build();
    PutLe32(image, TestPeImage::FileOffset(TestPeImage::kExportRva) + 32, 0xFFFFFFF0); // name array
    DynamicLibraryMSW library(image.data(), static_cast<std::uint32_t>(image.size()));
    EXPECT_FALSE(library.m_loaded);
}

} // namespace
