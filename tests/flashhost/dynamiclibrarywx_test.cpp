#include "dynamiclibrarywx.h"

#include "childprocess.h"

#include <gtest/gtest.h>

namespace {

TEST(DynamicLibraryWX, LoadsALibraryFileAndFindsItsExports)
{
    DynamicLibraryWX library(BuildTreePath(KOVA_PROBE_DLL));
    ASSERT_TRUE(library.m_loaded);
    auto add = reinterpret_cast<int (*)(int, int)>(const_cast<void*>(library.GetSymbol("ProbeAdd")));
    ASSERT_NE(nullptr, add);
    EXPECT_EQ(7, add(3, 4));
    EXPECT_EQ(nullptr, library.GetSymbol("NotThere"));
}

TEST(DynamicLibraryWX, ReportsAFileThatCannotBeLoaded)
{
    DynamicLibraryWX library(BuildTreePath(KOVA_PROBE_DLL) + L".missing");
    EXPECT_FALSE(library.m_loaded);
    EXPECT_EQ(nullptr, library.GetSymbol("ProbeAdd"));
}

} // namespace
