// The FileSystem rows that work on single files, through the call road.
#include "commandcalls.h"
#include "eventcapture.h"
#include "filesystemtesting.h"
#include "nxafilesystem.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "textfile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

class FileRows : public testing::Test {
protected:
    // The row's reply for the FileSystem object and the arguments after it.
    std::string Call(const std::string& row, const std::string& args)
    {
        return CallCommandSync("nxa.FileSystem." + row, m_id + ", " + args);
    }

    std::wstring PathOf(const std::wstring& name) const { return m_folder / name; }
    std::string Arg(const std::wstring& name) const { return JsonText(m_folder / name); }

    ScopedCommandCentre m_centre{{&nxaFileSystem::Frame::Descriptor()}};
    ScratchFolder m_folder;
    std::string m_id = CreateObject("nxa.FileSystem.create");
};

TEST_F(FileRows, LoadFileDecodesTheWholeFile)
{
    const struct {
        const char* what;
        std::string bytes;
        std::wstring text;
    } cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF" "abc", L"abc"},
        {"not UTF-8: ISO-8859-1", "\xE9", L"\u00e9"},
        {"UTF-8 without mark", "\xC3\xA9t\xC3\xA9", L"\u00e9t\u00e9"},
        {"CR LF", "a\r\nb\r\n", L"a\nb\n"},
        {"UTF-16LE holding U+041A", std::string("\xFF\xFE\x1A\x04" "b\0", 6), L"\u041ab"},
        {"0x1A inside", "a\x1A" "b", L"a\x1A" L"b"},
        {"empty", "", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteBytes(PathOf(L"in.txt"), c.bytes));
        EXPECT_EQ(JsonText(c.text), Call("loadFile", Arg(L"in.txt")));
    }
    EXPECT_EQ("\"\"", Call("loadFile", Arg(L"missing.txt")));
    EXPECT_EQ("\"\"", Call("loadFile", JsonText(m_folder.Path())));
}

TEST_F(FileRows, SaveFileAndAppendFileWriteUtf8WithCrLf)
{
    EXPECT_EQ("true", Call("saveFile", Arg(L"a.txt") + ", \"a\\nb\""));
    EXPECT_EQ("a\r\nb", ReadFileText(PathOf(L"a.txt")));

    ASSERT_TRUE(WriteBytes(PathOf(L"long.txt"), "a longer old content"));
    EXPECT_EQ("true", Call("saveFile", Arg(L"long.txt") + ", \"\u00e9\""));
    EXPECT_EQ("\xC3\xA9", ReadFileText(PathOf(L"long.txt")));

    EXPECT_EQ("true", Call("saveFile", Arg(L"long.txt") + ", \"\""));
    EXPECT_FALSE(FileIsMissing(PathOf(L"long.txt")));
    EXPECT_EQ("", ReadFileText(PathOf(L"long.txt")));

    EXPECT_EQ("true", Call("appendFile", Arg(L"x.txt") + ", \"x\""));
    EXPECT_EQ("true", Call("appendFile", Arg(L"x.txt") + ", \"x\""));
    EXPECT_EQ("xx", ReadFileText(PathOf(L"x.txt")));
    EXPECT_EQ("true", Call("appendFile", Arg(L"x.txt") + ", \"\\ny\""));
    EXPECT_EQ("xx\r\ny", ReadFileText(PathOf(L"x.txt")));

    EXPECT_EQ("true", Call("appendFile", Arg(L"empty.txt") + ", \"\""));
    EXPECT_FALSE(FileIsMissing(PathOf(L"empty.txt")));

    EXPECT_EQ("false", Call("saveFile", Arg(L"no-folder\\a.txt") + ", \"a\""));
    EXPECT_EQ("false", Call("appendFile", Arg(L"no-folder\\a.txt") + ", \"a\""));
}

TEST_F(FileRows, LoadFileHexGivesLowerCasePairs)
{
    ASSERT_TRUE(WriteBytes(PathOf(L"bytes.bin"), std::string("\x00\x7F\x80\xFF", 4)));
    EXPECT_EQ("\"007f80ff\"", Call("loadFileHEX", Arg(L"bytes.bin")));
    ASSERT_TRUE(WriteBytes(PathOf(L"empty.bin"), ""));
    EXPECT_EQ("\"\"", Call("loadFileHEX", Arg(L"empty.bin")));
    EXPECT_EQ("\"\"", Call("loadFileHEX", Arg(L"missing.bin")));
}

TEST_F(FileRows, SaveFileHexWritesOnlyATextThatReadsWhole)
{
    const struct {
        const char* text;
        const char* answer;
        std::string bytes;
    } cases[] = {
        {"0a0B", "true", "\x0A\x0B"},
        {"10", "true", "\x0A"},
        {"12|200|7f", "true", "\x0C\xC8\x7F"},
        {"1|2|", "true", "\x01\x02"},
        {"", "true", ""},
        {"abc", "false", "old"},
        {"1||2", "false", "old"},
        {"1|256", "false", "old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(WriteBytes(PathOf(L"hex.bin"), "old"));
        EXPECT_EQ(c.answer, Call("saveFileHEX", Arg(L"hex.bin") + ", \"" + c.text + "\""));
        EXPECT_EQ(c.bytes, ReadFileText(PathOf(L"hex.bin")));
    }
    EXPECT_EQ("false", Call("saveFileHEX", Arg(L"new.bin") + ", \"1||2\""));
    EXPECT_TRUE(FileIsMissing(PathOf(L"new.bin")));
}

FILETIME MakeFileTime(WORD year, WORD month, WORD day)
{
    SYSTEMTIME system = {};
    system.wYear = year;
    system.wMonth = month;
    system.wDay = day;
    system.wHour = 12;
    FILETIME time = {};
    ::SystemTimeToFileTime(&system, &time);
    return time;
}

FILETIME LastWriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

bool SetLastWriteTime(const std::wstring& path, const FILETIME& time)
{
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool set = ::SetFileTime(file, nullptr, nullptr, &time) != 0;
    ::CloseHandle(file);
    return set;
}

TEST_F(FileRows, CopyFileReplacesContentAttributesAndTime)
{
    const std::wstring source = PathOf(L"source.txt");
    const std::wstring destination = PathOf(L"destination.txt");
    ASSERT_TRUE(WriteBytes(source, "new"));
    const FILETIME time = MakeFileTime(2001, 2, 3);
    ASSERT_TRUE(SetLastWriteTime(source, time));
    ASSERT_TRUE(::SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteBytes(destination, "a longer old content"));

    EXPECT_EQ("true", Call("copyFile", Arg(L"source.txt") + ", " + Arg(L"destination.txt")));
    EXPECT_EQ("new", ReadFileText(destination));
    EXPECT_NE(0u, ::GetFileAttributesW(destination.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    const FILETIME copiedTime = LastWriteTime(destination);
    EXPECT_EQ(0, ::CompareFileTime(&time, &copiedTime));

    EXPECT_EQ("false", Call("copyFile", Arg(L"missing.txt") + ", " + Arg(L"destination.txt")));
    EXPECT_EQ("new", ReadFileText(destination));
    // A file copied onto itself keeps its content.
    EXPECT_EQ("false", Call("copyFile", Arg(L"source.txt") + ", " + Arg(L"source.txt")));
    EXPECT_EQ("new", ReadFileText(source));
}

TEST_F(FileRows, DeleteFileTakesOnlyWritableFiles)
{
    ASSERT_TRUE(WriteBytes(PathOf(L"plain.txt"), "x"));
    EXPECT_EQ("true", Call("deleteFile", Arg(L"plain.txt")));
    EXPECT_TRUE(FileIsMissing(PathOf(L"plain.txt")));
    EXPECT_EQ("false", Call("deleteFile", Arg(L"plain.txt")));

    ASSERT_TRUE(::CreateDirectoryW(PathOf(L"folder").c_str(), nullptr));
    EXPECT_EQ("false", Call("deleteFile", Arg(L"folder")));
    EXPECT_FALSE(FileIsMissing(PathOf(L"folder")));

    const std::wstring readOnly = PathOf(L"read-only.txt");
    ASSERT_TRUE(WriteBytes(readOnly, "x"));
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ("false", Call("deleteFile", Arg(L"read-only.txt")));
    EXPECT_EQ("x", ReadFileText(readOnly));
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileRows, FileExistsAndGetFileSizeTakeOnlyFiles)
{
    ASSERT_TRUE(WriteBytes(PathOf(L"five.txt"), "hello"));
    ASSERT_TRUE(::CreateDirectoryW(PathOf(L"folder").c_str(), nullptr));
    EXPECT_EQ("true", Call("fileExists", Arg(L"five.txt")));
    EXPECT_EQ("false", Call("fileExists", Arg(L"folder")));
    EXPECT_EQ("false", Call("fileExists", Arg(L"missing.txt")));

    EXPECT_EQ("\"5\"", Call("getFileSize", Arg(L"five.txt")));
    EXPECT_EQ("\"0\"", Call("getFileSize", Arg(L"folder")));
    EXPECT_EQ("\"0\"", Call("getFileSize", Arg(L"missing.txt")));
}

TEST_F(FileRows, GetFileSizeCountsPast4GiB)
{
    const std::wstring path = PathOf(L"sparse.bin");
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    LARGE_INTEGER end = {};
    end.QuadPart = 4294967297LL; // 4 GiB and one byte, left as a hole
    const bool sized = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
    ::CloseHandle(file);
    ASSERT_TRUE(sized);
    EXPECT_EQ("\"4294967297\"", Call("getFileSize", Arg(L"sparse.bin")));
}

TEST_F(FileRows, QueuedOperationsReportToTheCreatorOfTheObject)
{
    const std::string reporter = CreateObject("nxa.FileSystem.create", 3, 7);
    const std::string lastReporter = CreateObject("nxa.FileSystem.create", 4, 8);
    ASSERT_TRUE(WriteBytes(PathOf(L"doomed.txt"), "x"));
    EventCapture capture;
    const std::string prefix = "nxa.FileSystem.";
    CallCommandAsync(prefix + "copyFile", reporter + ", " + Arg(L"missing.txt") + ", " + Arg(L"copy.txt"), 0, 1);
    CallCommandAsync(prefix + "appendFile", reporter + ", " + Arg(L"log.txt") + ", \"x\"", 0, 1);
    CallCommandAsync(prefix + "deleteFile", reporter + ", " + Arg(L"doomed.txt"), 0, 1);
    CallCommandAsync(prefix + "deleteFile", reporter + ", " + Arg(L"doomed.txt"), 0, 1);
    CallCommandAsync(prefix + "saveFile", reporter + ", " + Arg(L"quiet.txt") + ", \"x\"", 0, 1);
    CallCommandAsync(prefix + "fileExists", reporter + ", " + Arg(L"quiet.txt"), 0, 1);
    // Queued calls run in order: the last object's event comes after every
    // event of the calls before it.
    CallCommandAsync(prefix + "appendFile", lastReporter + ", " + Arg(L"last.txt") + ", \"x\"", 0, 1);
    ASSERT_TRUE(PumpEventsUntil([&] {
        const std::vector<AsyncEventData> events = capture.Events();
        return !events.empty() && events.back().formId == 4;
    }));
    EXPECT_EQ((std::vector<std::string>{"3 7 onIOError { }", "3 7 onComplete { }", "3 7 onComplete { }",
                                        "3 7 onIOError { }", "4 8 onComplete { }"}),
              EventTexts(capture));
    EXPECT_EQ("x", ReadFileText(PathOf(L"log.txt")));

    EventCapture synchronous;
    EXPECT_EQ("false", CallCommandSync(prefix + "copyFile", reporter + ", " + Arg(L"missing.txt") + ", " +
                                                               Arg(L"copy.txt")));
    EXPECT_EQ("true", CallCommandSync(prefix + "appendFile", reporter + ", " + Arg(L"log.txt") + ", \"x\""));
    EXPECT_TRUE(synchronous.Events().empty());
}

} // namespace
