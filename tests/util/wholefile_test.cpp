#include "wholefile.h"

#include "scratchfolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(WholeFile, WritesAndReadsBack)
{
    ScratchFolder folder;
    const std::wstring path = folder / L"data \u00E9.bin";
    const unsigned char data[] = {0, 1, 0x1A, 0xFF, '\r', '\n', 7};
    ASSERT_TRUE(WriteWholeFile(path, data, sizeof data));

    std::unique_ptr<unsigned char[]> bytes;
    long length = 0;
    ASSERT_TRUE(ReadWholeFile(path, bytes, length));
    ASSERT_EQ(static_cast<long>(sizeof data), length);
    EXPECT_EQ(0, std::memcmp(data, bytes.get(), sizeof data));

    // Writing again truncates.
    ASSERT_TRUE(WriteWholeFile(path, data, 2));
    ASSERT_TRUE(ReadWholeFile(path, bytes, length));
    EXPECT_EQ(2, length);
}

TEST(WholeFile, EmptyFileReadsAsZeroLength)
{
    ScratchFolder folder;
    const std::wstring path = folder / L"empty";
    ASSERT_TRUE(WriteWholeFile(path, nullptr, 0));
    std::unique_ptr<unsigned char[]> bytes;
    long length = 99;
    EXPECT_TRUE(ReadWholeFile(path, bytes, length));
    EXPECT_EQ(0, length);
}

TEST(WholeFile, MissingFileLeavesOutputsUntouched)
{
    ScratchFolder folder;
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[1]);
    unsigned char* const before = bytes.get();
    long length = 42;
    EXPECT_FALSE(ReadWholeFile(folder / L"missing", bytes, length));
    EXPECT_EQ(before, bytes.get());
    EXPECT_EQ(42, length);
}

TEST(WholeFile, AppendCreatesAndAddsToTheEnd)
{
    ScratchFolder folder;
    const std::wstring path = folder / L"log";
    const unsigned char data[] = {'a', '\n', 0};
    ASSERT_TRUE(AppendFileBytes(path, data, sizeof data));
    ASSERT_TRUE(AppendFileBytes(path, data, 1));
    ASSERT_TRUE(AppendFileBytes(folder / L"empty", nullptr, 0));

    std::unique_ptr<unsigned char[]> bytes;
    long length = 0;
    ASSERT_TRUE(ReadWholeFile(path, bytes, length));
    ASSERT_EQ(4, length);
    EXPECT_EQ(0, std::memcmp("a\n\0a", bytes.get(), 4));
    EXPECT_TRUE(ReadWholeFile(folder / L"empty", bytes, length));
    EXPECT_EQ(0, length);
    EXPECT_FALSE(AppendFileBytes(folder / L"no-such-folder/file", data, 1));
}

TEST(WholeFile, WriteIntoMissingFolderFails)
{
    ScratchFolder folder;
    const unsigned char byte = 1;
    EXPECT_FALSE(WriteWholeFile(folder / L"no-such-folder/file", &byte, 1));
    EXPECT_FALSE(WriteWholeFile(folder / L"file", &byte, -1));
}

} // namespace
