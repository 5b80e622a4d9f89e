// The BinaryFile rows through the call road: buffers filled from byte texts
// and byte arrays, written whole.
#include "commandcalls.h"
#include "filesystemtesting.h"
#include "nxafilesystem.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "textfile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class BinaryFileRows : public testing::Test {
protected:
    std::string Call(const std::string& id, const std::string& row, const std::string& argument)
    {
        return CallCommandSync("nxa.FileSystem.BinaryFile." + row, id + ", " + argument);
    }
    std::string NewFile() { return CreateObject("nxa.FileSystem.BinaryFile.create"); }

    std::wstring PathOf(const std::wstring& name) const { return m_folder / name; }
    std::string Arg(const std::wstring& name) const { return JsonText(m_folder / name); }

    ScopedCommandCentre m_centre{{&nxaFileSystem::Frame::Descriptor()}};
    ScratchFolder m_folder;
};

TEST_F(BinaryFileRows, SetDataReadsHexPairsOrDecimalPieces)
{
    const struct {
        const char* text;
        const char* answer;
        std::string kept; // what writeData then writes; none when empty
    } cases[] = {
        {"48656c6c6f", "true", "Hello"},
        {"FF00", "true", std::string("\xFF\x00", 2)},
        {"10", "true", "\x10"},
        {"1|10|255", "true", "\x01\x0A\xFF"},
        {"1|256", "false", "\x01"},
        {"1|2|", "false", "\x01\x02"},
        {"zz", "false", ""},
        {"abc", "false", "\xAB"},
        {"", "true", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string id = NewFile();
        EXPECT_EQ(c.answer, Call(id, "setData", std::string("\"") + c.text + "\""));
        const std::wstring path = PathOf(L"out.bin");
        EXPECT_EQ(c.kept.empty() ? "false" : "true", Call(id, "writeData", Arg(L"out.bin")));
        EXPECT_EQ(c.kept, ReadFileText(path));
        EXPECT_EQ(c.kept.empty(), FileIsMissing(path));
        ::DeleteFileW(path.c_str());
    }
}

TEST_F(BinaryFileRows, SetDataBATakesOneByteOfEachElement)
{
    const std::string id = NewFile();
    EXPECT_EQ("true", Call(id, "setDataBA", "[72, 105, 256, -1, true, 3.9, \"7\", null]"));
    EXPECT_EQ("true", Call(id, "writeDataBA", Arg(L"a.bin")));
    EXPECT_EQ(std::string("\x48\x69\x00\xFF\x01\x03\x07\x00", 8), ReadFileText(PathOf(L"a.bin")));

    EXPECT_EQ("true", Call(id, "setDataBA", "[-1.5, \"12abc\", \"x\", false, {\"a\": 1}, [5], 300]"));
    EXPECT_EQ("true", Call(id, "writeDataBA", Arg(L"b.bin")));
    EXPECT_EQ(std::string("\xFF\x0C\x00\x00\x00\x00\x2C", 7), ReadFileText(PathOf(L"b.bin")));

    // Anything but an array answers false and keeps the buffer.
    for (const char* notArray : {"null", "\"1|2\"", "{\"0\": 1}", "7"}) {
        SCOPED_TRACE(notArray);
        EXPECT_EQ("false", Call(id, "setDataBA", notArray));
        EXPECT_EQ("true", Call(id, "writeDataBA", Arg(L"c.bin")));
        EXPECT_EQ(std::string("\xFF\x0C\x00\x00\x00\x00\x2C", 7), ReadFileText(PathOf(L"c.bin")));
    }

    EXPECT_EQ("true", Call(id, "setDataBA", "[]"));
    EXPECT_EQ("false", Call(id, "writeDataBA", Arg(L"d.bin")));
    EXPECT_TRUE(FileIsMissing(PathOf(L"d.bin")));
}

TEST_F(BinaryFileRows, WritesReplaceOrAppendAndTheBuffersStayApart)
{
    const std::string id = NewFile();
    for (const char* write : {"writeData", "appendData", "writeDataBA", "appendDataBA"}) {
        SCOPED_TRACE(write);
        EXPECT_EQ("false", Call(id, write, Arg(L"never.bin")));
        EXPECT_TRUE(FileIsMissing(PathOf(L"never.bin")));
    }

    ASSERT_EQ("true", Call(id, "setData", "\"0102\""));
    EXPECT_EQ("false", Call(id, "writeDataBA", Arg(L"ba.bin")));
    EXPECT_TRUE(FileIsMissing(PathOf(L"ba.bin")));

    ASSERT_TRUE(WriteBytes(PathOf(L"long.bin"), "a longer old content"));
    EXPECT_EQ("true", Call(id, "writeData", Arg(L"long.bin")));
    EXPECT_EQ("\x01\x02", ReadFileText(PathOf(L"long.bin")));

    EXPECT_EQ("true", Call(id, "appendData", Arg(L"twice.bin")));
    EXPECT_EQ("true", Call(id, "appendData", Arg(L"twice.bin")));
    EXPECT_EQ("\x01\x02\x01\x02", ReadFileText(PathOf(L"twice.bin")));

    ASSERT_EQ("true", Call(id, "setDataBA", "[9]"));
    EXPECT_EQ("true", Call(id, "appendDataBA", Arg(L"twice.bin")));
    EXPECT_EQ("true", Call(id, "writeData", Arg(L"text.bin")));
    EXPECT_EQ("\x01\x02\x01\x02\x09", ReadFileText(PathOf(L"twice.bin")));
    EXPECT_EQ("\x01\x02", ReadFileText(PathOf(L"text.bin")));

    // Another BinaryFile has buffers of its own.
    EXPECT_EQ("false", Call(NewFile(), "writeData", Arg(L"other.bin")));
    EXPECT_EQ("false", Call(id, "writeData", Arg(L"no-folder\\a.bin")));
}

} // namespace
