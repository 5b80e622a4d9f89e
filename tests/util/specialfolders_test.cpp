#include "specialfolders.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(GetFavoritesFolder, NamesAFolderOfTheUser)
{
    const std::wstring path = GetFavoritesFolder();
    ASSERT_FALSE(path.empty());
    EXPECT_NE(std::wstring::npos, path.find(L"Favorites"));
}
