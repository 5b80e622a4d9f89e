// The working parts of the folder rows, called directly.
#include "filesystemtesting.h"
#include "folderdeletion.h"
#include "folderlisting.h"
#include "scratchfolder.h"
#include "shellfolderoperations.h"
#include "treesearch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(FolderPathForm, DropsTrailingSeparatorsButKeepsRoots)
{
    const struct {
        const wchar_t* text;
        const wchar_t* form;
    } cases[] = {
        {L"C:\\a\\b\\", L"C:\\a\\b"}, {L"C:\\a\\b", L"C:\\a\\b"}, {L"C:/a/b/", L"C:\\a\\b"},
        {L"C:\\a\\b\\\\", L"C:\\a\\b"}, {L"C:\\", L"C:\\"},        {L"C:\\\\", L"C:\\"},
        {L"\\", L"\\"},                 {L"rel\\", L"rel"},         {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.form, FolderPathForm(c.text)) << testing::PrintToString(std::wstring(c.text));
}

TEST(FolderDeletion, OnlyAskAndNoAskDeleteAndOnlyAskAsks)
{
    ScratchFolder scratch;
    const std::wstring folder = scratch / L"doomed";
    const struct {
        const wchar_t* mode;
        bool answer;
        FolderDeletionOutcome outcome;
        int questions;
    } cases[] = {
        {L"Ask", true, FolderDeletionOutcome::Failed, 0},     {L"", true, FolderDeletionOutcome::Failed, 0},
        {L"NOASK", true, FolderDeletionOutcome::Failed, 0},   {L"ask", false, FolderDeletionOutcome::Cancelled, 1},
        {L"ask", true, FolderDeletionOutcome::Deleted, 1},    {L"noask", true, FolderDeletionOutcome::Failed, 0},
    };
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.mode)) + (c.answer ? " yes" : " no"));
        int questions = 0;
        const auto confirm = [&] {
            ++questions;
            return c.answer;
        };
        EXPECT_EQ(c.outcome, DeleteFolderInMode(folder, c.mode, confirm));
        EXPECT_EQ(c.questions, questions);
    }
    // The last "noask" found nothing left to delete.
    EXPECT_TRUE(FileIsMissing(folder));

    int questions = 0;
    EXPECT_EQ(FolderDeletionOutcome::Failed, DeleteFolderInMode(L"", L"ask", [&] { return ++questions > 0; }));
    EXPECT_EQ(0, questions);
}

TEST(FolderListing, EnumerationsOnTwoThreadsKeepApart)
{
    ScratchFolder scratch;
    const std::wstring first = scratch / L"first";
    const std::wstring second = scratch / L"second";
    ASSERT_TRUE(::CreateDirectoryW(first.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(second.c_str(), nullptr));
    std::vector<std::wstring> firstNames;
    std::vector<std::wstring> secondNames;
    for (int index = 0; index < 40; ++index) {
        const std::wstring name = std::to_wstring(index) + L".txt";
        ASSERT_TRUE(WriteBytes(first + L"\\f" + name, "x"));
        ASSERT_TRUE(WriteBytes(second + L"\\s" + name, "x"));
    }
    firstNames = ListFileNames(first, L"*.txt");
    secondNames = ListFileNames(second, L"*.txt");
    ASSERT_EQ(40u, firstNames.size());
    ASSERT_EQ(40u, secondNames.size());

    std::atomic<int> mismatches{0};
    const auto listRepeatedly = [&](const std::wstring& folder, const std::vector<std::wstring>& expected) {
        for (int round = 0; round < 100; ++round) {
            if (ListFileNames(folder, L"*.txt") != expected)
                ++mismatches;
        }
    };
    std::thread other(listRepeatedly, std::cref(second), std::cref(secondNames));
    listRepeatedly(first, firstNames);
    other.join();
    EXPECT_EQ(0, mismatches);
}

TEST(TreeSearch, FindsBelowTheFolderPartOnly)
{
    ScratchFolder scratch;
    ASSERT_TRUE(::CreateDirectoryW((scratch / L"s").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(scratch / L"x.txt", "x"));
    ASSERT_TRUE(WriteBytes(scratch / L"s\\y.txt", "y"));

    EXPECT_EQ((std::vector<std::wstring>{L"s\\y.txt", L"x.txt"}), FindFilesBelow(scratch / L"*.txt"));
    // A search path ending with a separator takes every file.
    EXPECT_EQ((std::vector<std::wstring>{L"s\\y.txt", L"x.txt"}), FindFilesBelow(scratch.Path() + L"\\"));
    EXPECT_EQ((std::vector<std::wstring>{L"y.txt"}), FindFilesBelow(scratch.Path() + L"/s/*"));
    EXPECT_TRUE(FindFilesBelow(L"*.txt").empty());

    EXPECT_EQ(L"", JoinFoundPaths({}));
    EXPECT_EQ(L"s\\y.txt;x.txt", JoinFoundPaths({L"s\\y.txt", L"x.txt"}));
}

TEST(TreeSearch, LinksBackUpTheTreeAreNotFollowed)
{
    ScratchFolder scratch;
    ASSERT_TRUE(::CreateDirectoryW((scratch / L"tree").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(scratch / L"tree\\x.txt", std::string(2048, 'x')));
    const std::wstring loop = scratch / L"tree\\loop";
    if (!::CreateSymbolicLinkW(loop.c_str(), (scratch / L"tree").c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
        GTEST_SKIP() << "no directory links on this system";
    EXPECT_EQ((std::vector<std::wstring>{L"x.txt"}), FindFilesBelow(scratch / L"tree\\*.txt"));
    EXPECT_EQ(2048u, FolderTreeSize(scratch / L"tree"));
    ::RemoveDirectoryW(loop.c_str());
}

} // namespace
