#include "childprocess.h"
#include "textfile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

TEST(Runtime, WithoutProjectPackageEndsWithMinusOne)
{
    EXPECT_EQ(-1, RunChildProcess(BuildTreePath(KOVA_RUNTIME_EXE), L"", 60000));
}

TEST(Runtime, CarriesThePlugInAsBin101)
{
    HMODULE image = LoadLibraryExW(BuildTreePath(KOVA_RUNTIME_EXE).c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, image);
    HRSRC resource = FindResourceW(image, MAKEINTRESOURCEW(101), L"BIN");
    ASSERT_NE(nullptr, resource);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(image, resource)));
    const std::string embedded(bytes, SizeofResource(image, resource));
    FreeLibrary(image);
    EXPECT_EQ(ReadFileText(BuildTreePath(KOVA_EMBEDDED_PLAYER_DLL)), embedded);
}

} // namespace
