// The FileSystem rows that work on folders, search the tree and read or
// change attributes, times and path forms, through the call road.
#include "commandcalls.h"
#include "dialogdriver.h"
#include "eventcapture.h"
#include "filesystemtesting.h"
#include "nxafilesystem.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "textconv.h"
#include "textfile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

// Puts the process's working folder back when the test ends.
class WorkingFolderKeeper {
public:
    WorkingFolderKeeper()
    {
        wchar_t folder[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, folder);
        m_folder = folder;
    }
    ~WorkingFolderKeeper() { ::SetCurrentDirectoryW(m_folder.c_str()); }
    WorkingFolderKeeper(const WorkingFolderKeeper&) = delete;
    WorkingFolderKeeper& operator=(const WorkingFolderKeeper&) = delete;

private:
    std::wstring m_folder;
};

std::set<std::string> SetReply(const std::string& reply)
{
    const std::vector<std::string> texts = ListReply(reply);
    return std::set<std::string>(texts.begin(), texts.end());
}

bool MakeFolderAt(const std::wstring& path)
{
    return ::CreateDirectoryW(path.c_str(), nullptr) != 0;
}

bool HasAttribute(const std::wstring& path, DWORD flag)
{
    const DWORD word = ::GetFileAttributesW(path.c_str());
    return word != INVALID_FILE_ATTRIBUTES && (word & flag) != 0;
}

const int32_t kReporterForm = 3;
const int32_t kReporterCaller = 7;
const int32_t kMarkerForm = 9;

class FolderRows : public testing::Test {
protected:
    // The row's synchronous reply for the FileSystem object and the
    // arguments after it.
    std::string Call(const std::string& row, const std::string& args = std::string())
    {
        return CallCommandSync("nxa.FileSystem." + row, args.empty() ? m_id : m_id + ", " + args);
    }

    // Sends the call by the asynchronous road and answers the events it
    // posted ("form caller name payload") once it has run and posted at
    // least that many. A search with nothing to find, made after it by an
    // object of its own, marks the end of the call.
    std::vector<std::string> CallAsync(const std::string& row, const std::string& args, size_t eventCount = 1)
    {
        EventCapture capture;
        CallCommandAsync("nxa.FileSystem." + row, m_id + ", " + args, 0, 1);
        CallCommandAsync("nxa.FileSystem.findFile", m_markerId + ", \"\"", 0, 1);
        const std::string markerPrefix = std::to_string(kMarkerForm) + " ";
        const auto isMarker = [&](const std::string& text) { return text.rfind(markerPrefix, 0) == 0; };
        EXPECT_TRUE(PumpEventsUntil(
            [&] {
                const std::vector<std::string> texts = EventTexts(capture);
                return std::any_of(texts.begin(), texts.end(), isMarker) && texts.size() >= eventCount + 1;
            },
            30000))
            << row;
        std::vector<std::string> texts = EventTexts(capture);
        texts.erase(std::remove_if(texts.begin(), texts.end(), isMarker), texts.end());
        return texts;
    }

    static std::string Event(const std::string& nameAndPayload)
    {
        return std::to_string(kReporterForm) + " " + std::to_string(kReporterCaller) + " " + nameAndPayload;
    }

    std::wstring PathOf(const std::wstring& name) const { return m_folder / name; }
    std::string Arg(const std::wstring& name) const { return JsonText(m_folder / name); }

    ScopedCommandCentre m_centre{{&nxaFileSystem::Frame::Descriptor()}};
    ScratchFolder m_folder;
    WorkingFolderKeeper m_workingFolder; // restored before the scratch folder goes
    std::string m_id = CreateObject("nxa.FileSystem.create", kReporterForm, kReporterCaller);
    std::string m_markerId = CreateObject("nxa.FileSystem.create", kMarkerForm, kMarkerForm);
};

TEST_F(FolderRows, MakeFolderMakesOneLevelOnce)
{
    EXPECT_EQ("true", Call("makeFolder", Arg(L"made")));
    EXPECT_EQ("false", Call("makeFolder", Arg(L"made")));
    EXPECT_EQ("false", Call("makeFolder", Arg(L"missing\\child")));
    EXPECT_TRUE(FileIsMissing(PathOf(L"missing")));

    ASSERT_TRUE(WriteBytes(PathOf(L"file.txt"), "x"));
    EXPECT_EQ("false", Call("makeFolder", Arg(L"file.txt")));
    EXPECT_EQ("true", Call("folderExists", Arg(L"made")));
    EXPECT_EQ("true", Call("folderExists", Arg(L"made\\")));
    EXPECT_EQ("false", Call("folderExists", Arg(L"file.txt")));
    EXPECT_EQ("false", Call("folderExists", Arg(L"missing")));
    EXPECT_EQ("false", Call("folderExists", "\"\""));

    EXPECT_TRUE(CallAsync("makeFolder", Arg(L"made-by-worker"), 0).empty());
    EXPECT_EQ("true", Call("folderExists", Arg(L"made-by-worker")));
}

TEST_F(FolderRows, WorkingFolderServesRelativePathsOnBothThreads)
{
    const std::string before = StringReply(Call("getCurrentDir"));
    ASSERT_FALSE(before.empty());
    EXPECT_EQ('\\', before.back());

    ASSERT_TRUE(WriteBytes(PathOf(L"bare.txt"), "read from here"));
    EXPECT_EQ("true", Call("setCurrentDir", JsonText(m_folder.Path())));
    EXPECT_EQ(WideToUtf8(m_folder.Path()) + "\\", StringReply(Call("getCurrentDir")));
    EXPECT_EQ("\"read from here\"", Call("loadFile", "\"bare.txt\""));

    EXPECT_EQ("false", Call("setCurrentDir", Arg(L"missing")));
    EXPECT_EQ(WideToUtf8(m_folder.Path()) + "\\", StringReply(Call("getCurrentDir")));

    // The worker's change holds for the main thread too.
    ASSERT_TRUE(MakeFolderAt(PathOf(L"sub")));
    EXPECT_TRUE(CallAsync("setCurrentDir", Arg(L"sub"), 0).empty());
    EXPECT_EQ(WideToUtf8(PathOf(L"sub")) + "\\", StringReply(Call("getCurrentDir")));
}

TEST_F(FolderRows, CopyFolderMakesTheDestinationOnce)
{
    ASSERT_TRUE(MakeFolderAt(PathOf(L"source")));
    ASSERT_TRUE(MakeFolderAt(PathOf(L"source\\inner")));
    ASSERT_TRUE(WriteBytes(PathOf(L"source\\a.txt"), "a"));
    ASSERT_TRUE(WriteBytes(PathOf(L"source\\inner\\b.txt"), "b"));

    EXPECT_EQ("true", Call("copyFolder", Arg(L"source") + ", " + Arg(L"copy")));
    EXPECT_EQ("a", ReadFileText(PathOf(L"copy\\a.txt")));
    EXPECT_EQ("b", ReadFileText(PathOf(L"copy\\inner\\b.txt")));
    // Again: the shell would put the source inside the copy.
    EXPECT_EQ("false", Call("copyFolder", Arg(L"source") + ", " + Arg(L"copy")));
    EXPECT_TRUE(FileIsMissing(PathOf(L"copy\\source")));
    EXPECT_EQ("false", Call("copyFolder", Arg(L"source") + ", " + Arg(L"copy\\")));

    EXPECT_EQ("true", Call("copyFolder", Arg(L"source\\") + ", " + Arg(L"second\\")));
    EXPECT_EQ("b", ReadFileText(PathOf(L"second\\inner\\b.txt")));

    EXPECT_EQ("false", Call("copyFolder", "\"\", " + Arg(L"third")));
    EXPECT_EQ("false", Call("copyFolder", Arg(L"source") + ", \"\""));
    EXPECT_EQ("false", Call("copyFolder", Arg(L"missing") + ", " + Arg(L"third")));
    EXPECT_TRUE(FileIsMissing(PathOf(L"third")));

    ASSERT_EQ("true", Call("setCurrentDir", JsonText(m_folder.Path())));
    EXPECT_EQ("true", Call("copyFolder", "\"source\", \"relative\""));
    EXPECT_EQ("a", ReadFileText(PathOf(L"relative\\a.txt")));
    EXPECT_EQ("true", Call("deleteFolder", "\"relative\", \"noask\""));
    EXPECT_TRUE(FileIsMissing(PathOf(L"relative")));

    EXPECT_EQ(std::vector<std::string>{Event("onComplete { }")},
              CallAsync("copyFolder", Arg(L"source") + ", " + Arg(L"by-worker")));
    EXPECT_EQ("a", ReadFileText(PathOf(L"by-worker\\a.txt")));
    EXPECT_EQ(std::vector<std::string>{Event("onIOError { }")},
              CallAsync("copyFolder", Arg(L"source") + ", " + Arg(L"by-worker")));
}

// A folder under the scratch folder whose path has exactly that many
// characters.
std::wstring FolderPathOfLength(const ScratchFolder& folder, size_t length)
{
    const std::wstring prefix = folder.Path() + L"\\";
    return prefix + std::wstring(length - prefix.size(), L'n');
}

TEST_F(FolderRows, CopyAndDeleteLeavePathsPastTheShellLimitAlone)
{
    const std::wstring longest = FolderPathOfLength(m_folder, 258);
    const std::wstring tooLong = FolderPathOfLength(m_folder, 259);
    ASSERT_TRUE(MakeFolderAt(longest));
    ASSERT_TRUE(MakeFolderAt(tooLong));

    EXPECT_EQ("true", Call("copyFolder", JsonText(longest) + ", " + Arg(L"copy-of-longest")));
    EXPECT_EQ("true", Call("folderExists", Arg(L"copy-of-longest")));
    EXPECT_EQ("false", Call("copyFolder", JsonText(tooLong) + ", " + Arg(L"copy-of-too-long")));
    EXPECT_TRUE(FileIsMissing(PathOf(L"copy-of-too-long")));
    EXPECT_EQ("false", Call("copyFolder", Arg(L"copy-of-longest") + ", " + JsonText(tooLong + L"x")));
    EXPECT_TRUE(FileIsMissing(tooLong + L"x"));

    EXPECT_EQ("false", Call("deleteFolder", JsonText(tooLong) + ", \"noask\""));
    EXPECT_FALSE(FileIsMissing(tooLong));
    EXPECT_EQ(std::vector<std::string>{Event("onIOError { }")},
              CallAsync("deleteFolder", JsonText(tooLong) + ", \"noask\""));
    EXPECT_FALSE(FileIsMissing(tooLong));
    EXPECT_EQ("true", Call("deleteFolder", JsonText(longest) + ", \"noask\""));
    EXPECT_TRUE(FileIsMissing(longest));
}

// A small tree with a read-only file in it.
void MakeDoomedTree(const std::wstring& root)
{
    ASSERT_TRUE(MakeFolderAt(root));
    ASSERT_TRUE(MakeFolderAt(root + L"\\inner"));
    ASSERT_TRUE(WriteBytes(root + L"\\inner\\locked.txt", "x"));
    ASSERT_TRUE(::SetFileAttributesW((root + L"\\inner\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
}

TEST_F(FolderRows, DeleteFolderWithoutQuestionRemovesTheTree)
{
    MakeDoomedTree(PathOf(L"doomed"));
    EXPECT_EQ("true", Call("deleteFolder", Arg(L"doomed") + ", \"noask\""));
    EXPECT_TRUE(FileIsMissing(PathOf(L"doomed")));
    EXPECT_EQ("false", Call("deleteFolder", Arg(L"doomed") + ", \"noask\""));

    MakeDoomedTree(PathOf(L"doomed-too"));
    EXPECT_EQ(std::vector<std::string>{Event("onComplete { }")},
              CallAsync("deleteFolder", Arg(L"doomed-too\\") + ", \"noask\""));
    EXPECT_TRUE(FileIsMissing(PathOf(L"doomed-too")));
    EXPECT_EQ(std::vector<std::string>{Event("onIOError { }")},
              CallAsync("deleteFolder", Arg(L"doomed-too") + ", \"noask\""));
}

// What one deleteFolder call did while a driver watched for its question.
struct QuestionOutcome {
    std::string reply; // of a synchronous call
    std::vector<std::string> events;
    std::optional<SeenDialog> seen;
    std::wstring trouble;
    int defaultButton = 0;
};

class DeleteFolderQuestion : public FolderRows {
protected:
    QuestionOutcome Delete(const std::string& args, bool async, int button)
    {
        QuestionOutcome outcome;
        std::atomic<int> defaultButton{0};
        DialogDriver driver([&](HWND dialog) {
            DWORD_PTR answer = 0;
            if (::SendMessageTimeoutW(dialog, DM_GETDEFID, 0, 0, SMTO_NORMAL, 5000, &answer))
                defaultButton = LOWORD(answer);
            DialogDriver::Click(dialog, button);
        });
        if (async)
            outcome.events = CallAsync("deleteFolder", args);
        else
            outcome.reply = Call("deleteFolder", args);
        outcome.seen = driver.Finish();
        outcome.trouble = driver.Trouble();
        outcome.defaultButton = defaultButton;
        return outcome;
    }
};

TEST_F(DeleteFolderQuestion, AnsweredNoKeepsTheFolderAndYesDeletesIt)
{
    for (bool async : {false, true}) {
        SCOPED_TRACE(async ? "async" : "sync");
        ASSERT_TRUE(MakeFolderAt(PathOf(L"asked")));
        ASSERT_TRUE(WriteBytes(PathOf(L"asked\\kept.txt"), "x"));

        const QuestionOutcome declined = Delete(Arg(L"asked") + ", \"ask\"", async, IDNO);
        ASSERT_TRUE(declined.seen) << WideToUtf8(declined.trouble);
        EXPECT_EQ(L"", declined.trouble);
        EXPECT_EQ(L"", declined.seen->caption);
        EXPECT_TRUE(declined.seen->Shows(L"Static", L"Really delete folder?"));
        EXPECT_EQ(::LoadIconW(nullptr, IDI_EXCLAMATION), declined.seen->icon);
        EXPECT_TRUE(declined.seen->TextOf(IDYES, L"Button"));
        EXPECT_TRUE(declined.seen->TextOf(IDNO, L"Button"));
        EXPECT_EQ(IDNO, declined.defaultButton);
        if (async)
            EXPECT_EQ(std::vector<std::string>{Event("onCancel { }")}, declined.events);
        else
            EXPECT_EQ("false", declined.reply);
        EXPECT_EQ("x", ReadFileText(PathOf(L"asked\\kept.txt")));

        const QuestionOutcome confirmed = Delete(Arg(L"asked") + ", \"ask\"", async, IDYES);
        ASSERT_TRUE(confirmed.seen) << WideToUtf8(confirmed.trouble);
        EXPECT_EQ(L"", confirmed.trouble);
        if (async)
            EXPECT_EQ(std::vector<std::string>{Event("onComplete { }")}, confirmed.events);
        else
            EXPECT_EQ("true", confirmed.reply);
        EXPECT_TRUE(FileIsMissing(PathOf(L"asked")));
    }
}

TEST_F(DeleteFolderQuestion, OtherModesAndAnEmptyFolderAskNothingAndDeleteNothing)
{
    ASSERT_TRUE(MakeFolderAt(PathOf(L"kept")));
    const std::string cases[] = {
        Arg(L"kept") + ", \"Ask\"",   Arg(L"kept") + ", \"\"",    Arg(L"kept") + ", \"NOASK\"",
        Arg(L"kept") + ", \"ask \"",  "\"\", \"ask\"",             "\"\", \"noask\"",
    };
    for (const std::string& args : cases) {
        for (bool async : {false, true}) {
            SCOPED_TRACE(args + (async ? " async" : " sync"));
            const QuestionOutcome outcome = Delete(args, async, IDYES);
            EXPECT_FALSE(outcome.seen);
            if (async)
                EXPECT_EQ(std::vector<std::string>{Event("onIOError { }")}, outcome.events);
            else
                EXPECT_EQ("false", outcome.reply);
            EXPECT_EQ("true", Call("folderExists", Arg(L"kept")));
        }
    }
}

// A folder holding a.txt, b.log, a hidden c.txt, a system d.txt and a
// subfolder named e.txt.
void MakeListedFolder(const std::wstring& folder)
{
    ASSERT_TRUE(MakeFolderAt(folder));
    for (const wchar_t* name : {L"a.txt", L"b.log", L"c.txt", L"d.txt"})
        ASSERT_TRUE(WriteBytes(folder + L"\\" + name, "x"));
    ASSERT_TRUE(::SetFileAttributesW((folder + L"\\c.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(::SetFileAttributesW((folder + L"\\d.txt").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(MakeFolderAt(folder + L"\\e.txt"));
}

TEST_F(FolderRows, GetFileListNamesVisibleFilesThatMatch)
{
    MakeListedFolder(PathOf(L"list"));
    EXPECT_EQ(std::vector<std::string>{"a.txt"}, ListReply(Call("getFileList", Arg(L"list") + ", \"*.txt\"")));
    EXPECT_EQ(std::vector<std::string>{"a.txt"}, ListReply(Call("getFileList", Arg(L"list\\") + ", \"*.txt\"")));
    EXPECT_EQ((std::set<std::string>{"a.txt", "b.log"}), SetReply(Call("getFileList", Arg(L"list") + ", \"*\"")));
    EXPECT_EQ(std::vector<std::string>{"b.log"}, ListReply(Call("getFileList", Arg(L"list") + ", \"?.log\"")));
    EXPECT_EQ("[ ]", Call("getFileList", Arg(L"missing") + ", \"*\""));

    ASSERT_EQ("true", Call("setCurrentDir", Arg(L"list")));
    EXPECT_EQ(std::vector<std::string>{"a.txt"}, ListReply(Call("getFileList", "\"\", \"*.txt\"")));

    EXPECT_EQ(std::vector<std::string>{Event("onResult { \"result\": [ \"a.txt\" ] }")},
              CallAsync("getFileList", Arg(L"list") + ", \"*.txt\""));
    EXPECT_EQ(std::vector<std::string>{Event("onIOError { }")}, CallAsync("getFileList", Arg(L"missing") + ", \"*\""));
}

TEST_F(FolderRows, GetFolderListNamesEverySubfolder)
{
    MakeListedFolder(PathOf(L"list"));
    ASSERT_TRUE(MakeFolderAt(PathOf(L"list\\hidden")));
    ASSERT_TRUE(::SetFileAttributesW(PathOf(L"list\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(MakeFolderAt(PathOf(L"list\\system")));
    ASSERT_TRUE(::SetFileAttributesW(PathOf(L"list\\system").c_str(), FILE_ATTRIBUTE_SYSTEM));

    const std::set<std::string> all = {"e.txt", "hidden", "system"};
    EXPECT_EQ(all, SetReply(Call("getFolderList", Arg(L"list"))));
    EXPECT_EQ(all, SetReply(Call("getFolderList", Arg(L"list\\"))));
    EXPECT_EQ("[ ]", Call("getFolderList", Arg(L"list\\e.txt")));
    EXPECT_EQ("[ ]", Call("getFolderList", Arg(L"missing")));
    EXPECT_EQ("[ ]", Call("getFolderList", Arg(L"list\\a.txt")));
    EXPECT_EQ("[ ]", Call("getFolderList", "\"\""));

    EXPECT_EQ(std::vector<std::string>{Event("onIOError { }")}, CallAsync("getFolderList", "\"\""));
    const std::vector<std::string> events = CallAsync("getFolderList", Arg(L"list"));
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(0u, events[0].find(Event("onResult { \"result\": [ \"")));
}

TEST_F(FolderRows, FindFileListsSubfoldersHitsBeforeTheFolderOwn)
{
    ASSERT_TRUE(MakeFolderAt(PathOf(L"data")));
    ASSERT_TRUE(MakeFolderAt(PathOf(L"data\\s")));
    ASSERT_TRUE(MakeFolderAt(PathOf(L"data\\t")));
    ASSERT_TRUE(MakeFolderAt(PathOf(L"data\\t\\deeper")));
    ASSERT_TRUE(WriteBytes(PathOf(L"data\\x.txt"), "x"));
    ASSERT_TRUE(WriteBytes(PathOf(L"data\\s\\y.txt"), "y"));
    ASSERT_TRUE(WriteBytes(PathOf(L"data\\s\\y.log"), "y"));
    ASSERT_TRUE(WriteBytes(PathOf(L"data\\t\\hidden.txt"), "h"));
    ASSERT_TRUE(::SetFileAttributesW(PathOf(L"data\\t\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(WriteBytes(PathOf(L"data\\t\\deeper\\z.txt"), "z"));
    ASSERT_TRUE(::SetFileAttributesW(PathOf(L"data\\t").c_str(), FILE_ATTRIBUTE_HIDDEN));

    // The two subfolders come in the file system's order, each tree whole.
    const std::string found = StringReply(Call("findFile", Arg(L"data\\*.txt")));
    const std::string sFirst = "s\\y.txt;t\\deeper\\z.txt;t\\hidden.txt;x.txt";
    const std::string tFirst = "t\\deeper\\z.txt;t\\hidden.txt;s\\y.txt;x.txt";
    EXPECT_TRUE(found == sFirst || found == tFirst) << found;
    EXPECT_EQ("s\\y.log", StringReply(Call("findFile", Arg(L"data\\*.log"))));
    EXPECT_EQ("\"\"", Call("findFile", Arg(L"data\\*.none")));
    EXPECT_EQ("\"\"", Call("findFile", Arg(L"missing\\*.txt")));

    ASSERT_EQ("true", Call("setCurrentDir", Arg(L"data")));
    EXPECT_EQ("\"\"", Call("findFile", "\"*.txt\""));
    EXPECT_EQ("y.txt", StringReply(Call("findFile", "\"s\\\\*.txt\"")));

    EXPECT_EQ(std::vector<std::string>{Event("onResult { \"result\": \"y.log\" }")},
              CallAsync("findFile", "\"s\\\\*.log\""));
    EXPECT_EQ(std::vector<std::string>{Event("onIOError { }")}, CallAsync("findFile", "\"*.txt\""));
}

TEST_F(FolderRows, GetFolderSizeCountsEveryFileInWholeKibibytes)
{
    const struct {
        const wchar_t* folder;
        std::vector<std::pair<std::wstring, size_t>> files; // path below the folder, bytes
        const char* size;
    } cases[] = {
        {L"three-thousand", {{L"a.bin", 2000}, {L"inner\\hidden.bin", 1000}}, "\"2\""},
        {L"just-under", {{L"a.bin", 1023}}, "\"0\""},
        {L"one-kib", {{L"a.bin", 1000}, {L"b.bin", 24}}, "\"1\""},
        {L"empty", {}, "\"0\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(WideToUtf8(c.folder));
        const std::wstring folder = PathOf(c.folder);
        ASSERT_TRUE(MakeFolderAt(folder));
        ASSERT_TRUE(MakeFolderAt(folder + L"\\inner"));
        for (const auto& file : c.files)
            ASSERT_TRUE(WriteBytes(folder + L"\\" + file.first, std::string(file.second, 'x')));
        ::SetFileAttributesW((folder + L"\\inner\\hidden.bin").c_str(), FILE_ATTRIBUTE_HIDDEN);
        EXPECT_EQ(c.size, Call("getFolderSize", JsonText(folder)));
    }
    EXPECT_EQ("\"4194303\"", Call("getFolderSize", Arg(L"missing")));
    ASSERT_TRUE(WriteBytes(PathOf(L"file.bin"), std::string(4096, 'x')));
    EXPECT_EQ("\"4194303\"", Call("getFolderSize", Arg(L"file.bin")));
}

TEST_F(FolderRows, AttributeCodesChangeOneFlagEach)
{
    ASSERT_TRUE(WriteBytes(PathOf(L"f.txt"), "x"));
    const std::string file = Arg(L"f.txt");
    // Every file carries the archive flag here, and clearing it keeps it.
    const struct {
        const char* code;
        const char* answer;
        const char* flags; // archive, hidden, read-only, system
    } cases[] = {
        {"+R", "true", "[ true, false, true, false ]"},  {"-R", "true", "[ true, false, false, false ]"},
        {"+H", "true", "[ true, true, false, false ]"},  {"+S", "true", "[ true, true, false, true ]"},
        {"-H", "true", "[ true, false, false, true ]"},  {"-S", "true", "[ true, false, false, false ]"},
        {"+A", "true", "[ true, false, false, false ]"}, {"+r", "false", "[ true, false, false, false ]"},
        {"R", "false", "[ true, false, false, false ]"}, {"+A+H", "false", "[ true, false, false, false ]"},
        {"", "false", "[ true, false, false, false ]"},  {"*H", "false", "[ true, false, false, false ]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(c.answer, Call("setFileAttribs", file + ", \"" + c.code + "\""));
        EXPECT_EQ(c.flags, Call("getFileAttribs", file));
    }
    EXPECT_EQ("true", Call("setFileAttribs", file + ", \"+R\""));
    EXPECT_TRUE(HasAttribute(PathOf(L"f.txt"), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(CallAsync("setFileAttribs", file + ", \"-R\"", 0).empty());
    EXPECT_FALSE(HasAttribute(PathOf(L"f.txt"), FILE_ATTRIBUTE_READONLY));

    ASSERT_TRUE(MakeFolderAt(PathOf(L"folder")));
    EXPECT_EQ("true", Call("setFileAttribs", Arg(L"folder") + ", \"+H\""));
    EXPECT_TRUE(HasAttribute(PathOf(L"folder"), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(HasAttribute(PathOf(L"folder"), FILE_ATTRIBUTE_DIRECTORY));

    EXPECT_EQ("[ true, true, true, true ]", Call("getFileAttribs", Arg(L"missing")));
    EXPECT_EQ("false", Call("setFileAttribs", Arg(L"missing") + ", \"+R\""));
    EXPECT_TRUE(FileIsMissing(PathOf(L"missing")));
}

// Sets every time of the path (a file or folder) to the one moment.
bool SetAllTimes(const std::wstring& path, WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME system = {};
    system.wYear = year;
    system.wMonth = month;
    system.wDay = day;
    system.wHour = hour;
    system.wMinute = minute;
    system.wSecond = second;
    FILETIME time = {};
    if (!::SystemTimeToFileTime(&system, &time))
        return false;
    const HANDLE handle = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool set = ::SetFileTime(handle, &time, &time, &time) != 0;
    ::CloseHandle(handle);
    return set;
}

TEST_F(FolderRows, FileDateAndTimeFormatTheFileTimes)
{
    // The run's time zone is UTC.
    ASSERT_TRUE(WriteBytes(PathOf(L"dated.txt"), "x"));
    ASSERT_TRUE(SetAllTimes(PathOf(L"dated.txt"), 2001, 2, 3, 4, 5, 6));
    EXPECT_EQ("\"2001-02-03\"", Call("getFileDate", Arg(L"dated.txt")));
    EXPECT_EQ("\"04:05:06\"", Call("getFileTime", Arg(L"dated.txt")));

    ASSERT_TRUE(MakeFolderAt(PathOf(L"dated")));
    ASSERT_TRUE(SetAllTimes(PathOf(L"dated"), 1999, 12, 31, 23, 59, 58));
    EXPECT_EQ("\"1999-12-31\"", Call("getFileDate", Arg(L"dated")));
    EXPECT_EQ("\"23:59:58\"", Call("getFileTime", Arg(L"dated\\")));

    EXPECT_EQ("\"\"", Call("getFileDate", Arg(L"missing")));
    EXPECT_EQ("\"\"", Call("getFileTime", Arg(L"missing")));
}

bool IsShortName(const std::wstring& name)
{
    const size_t dot = name.find(L'.');
    const std::wstring stem = name.substr(0, dot);
    const std::wstring extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
    return !stem.empty() && stem.size() <= 8 && extension.size() <= 3 && extension.find(L'.') == std::wstring::npos &&
           name.find(L' ') == std::wstring::npos;
}

TEST_F(FolderRows, PathNamesGoBetweenLongAndShortForms)
{
    const std::wstring longPath = PathOf(L"A Long File Name.text");
    ASSERT_TRUE(WriteBytes(longPath, "x"));
    const std::string shortPath = StringReply(Call("getShortPathName", JsonText(longPath)));
    const std::wstring shortName = Utf8ToWide(shortPath.substr(shortPath.find_last_of('\\') + 1));
    EXPECT_TRUE(IsShortName(shortName)) << shortPath;
    EXPECT_EQ(WideToUtf8(longPath), StringReply(Call("getLongPathName", JsonText(Utf8ToWide(shortPath)))));

    EXPECT_EQ("\"\"", Call("getShortPathName", Arg(L"missing.text")));
    EXPECT_EQ("\"\"", Call("getLongPathName", Arg(L"missing.text")));
    EXPECT_EQ("\"\"", Call("getLongPathName", "\"\""));
}

TEST_F(FolderRows, FileCreatorAndTypeAreAlwaysEmpty)
{
    ASSERT_TRUE(WriteBytes(PathOf(L"any.txt"), "x"));
    for (const std::string& path : {Arg(L"any.txt"), Arg(L"missing"), std::string("\"\"")}) {
        EXPECT_EQ("\"\"", Call("getFileCreator", path));
        EXPECT_EQ("\"\"", Call("getFileType", path));
    }
}

} // namespace
