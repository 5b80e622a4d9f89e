#include "filesearch.h"

#include "scratchfolder.h"
#include "wholefile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

void Touch(const std::wstring& path)
{
    ASSERT_TRUE(WriteWholeFile(path, reinterpret_cast<const unsigned char*>("x"), 1));
}

TEST(ListFilesRecursive, FindsMatchesInEveryFolderWithFullPaths)
{
    ScratchFolder folder;
    const std::wstring root = folder.Path();
    std::filesystem::create_directories(root + L"\\s\\deeper");
    std::filesystem::create_directories(root + L"\\only-folders\\inner");
    Touch(root + L"\\a.url");
    Touch(root + L"\\notes.txt");
    Touch(root + L"\\s\\b.url");
    Touch(root + L"\\s\\deeper\\c.URL");
    Touch(root + L"\\only-folders\\inner\\d.url");

    std::vector<std::wstring> list;
    ListFilesRecursive(root, L"*.url", list);
    std::sort(list.begin(), list.end());
    const std::vector<std::wstring> expected = {
        root + L"\\a.url",
        root + L"\\only-folders\\inner\\d.url",
        root + L"\\s\\b.url",
        root + L"\\s\\deeper\\c.URL",
    };
    EXPECT_EQ(expected, list);
}

TEST(ListFilesRecursive, FolderOfOnlyFoldersIsNotSearchedWithThePattern)
{
    ScratchFolder folder;
    const std::wstring root = folder.Path();
    // A folder named like the pattern is no match, and a folder with no file
    // of its own contributes nothing.
    std::filesystem::create_directories(root + L"\\x.url");
    std::vector<std::wstring> list;
    ListFilesRecursive(root, L"*.url", list);
    EXPECT_TRUE(list.empty());

    ListFilesRecursive(root + L"\\missing", L"*.url", list);
    EXPECT_TRUE(list.empty());
}

} // namespace
