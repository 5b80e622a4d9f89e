#include "streamint32.h"

#include "scratchfolder.h"

#include <gtest/gtest.h>

#include <wx/file.h>

namespace {

TEST(StreamInt32, LittleEndianBothWays)
{
    ScratchFolder folder;
    const wxString path(folder / L"ints");
    {
        wxFile file(path, wxFile::write);
        ASSERT_TRUE(StreamWriteInt32(0x04030201, file));
        ASSERT_TRUE(StreamWriteInt32(-2, file));
        const unsigned char tail[3] = {9, 9, 9};
        file.Write(tail, sizeof tail);
    }
    wxFile file(path, wxFile::read);
    unsigned char first[4];
    ASSERT_EQ(4, file.Read(first, 4));
    EXPECT_EQ(1, first[0]);
    EXPECT_EQ(4, first[3]);
    file.Seek(0);

    int32_t value = 0;
    ASSERT_TRUE(StreamReadInt32(file, value));
    EXPECT_EQ(0x04030201, value);
    ASSERT_TRUE(StreamReadInt32(file, value));
    EXPECT_EQ(-2, value);
    // Only 3 bytes left: the read fails and the value stays.
    EXPECT_FALSE(StreamReadInt32(file, value));
    EXPECT_EQ(-2, value);
}

} // namespace
