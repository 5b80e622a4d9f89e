#include "sysfile2.h"

#include "scratchfolder.h"
#include "wholefile.h"

#include <gtest/gtest.h>

namespace {

TEST(CSysFile2, ReadAllReadsWholeFile)
{
    ScratchFolder folder;
    const std::wstring path = folder / L"movie.swf";
    const unsigned char data[] = {'F', 'W', 'S', 9, 0x1A, 0};
    ASSERT_TRUE(WriteWholeFile(path, data, sizeof data));

    long length = 0;
    std::unique_ptr<unsigned char[]> bytes;
    ASSERT_TRUE(CSysFile2::ReadAll(path, length, bytes));
    ASSERT_EQ(6, length);
    EXPECT_EQ(0x1A, bytes[4]);

    long untouched = 5;
    EXPECT_FALSE(CSysFile2::ReadAll(folder / L"missing", untouched, bytes));
    EXPECT_EQ(5, untouched);
}

TEST(CSysFile2, SeekReturnsNewPositionOrMinusOne)
{
    ScratchFolder folder;
    const std::wstring path = folder / L"f";
    const unsigned char data[10] = {};
    ASSERT_TRUE(WriteWholeFile(path, data, sizeof data));

    CSysFile2 file;
    ASSERT_TRUE(file.Open(path, "rb"));
    EXPECT_EQ(4, file.Seek(4));
    EXPECT_EQ(6, file.Seek(2, wxFromCurrent));
    EXPECT_EQ(10, file.Seek(0, wxFromEnd));
    EXPECT_EQ(-1, file.Seek(-20, wxFromStart));
}

} // namespace
