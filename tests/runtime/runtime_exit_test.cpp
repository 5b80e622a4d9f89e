#include "childprocess.h"

#include <gtest/gtest.h>

TEST(Runtime, WithoutProjectPackageEndsWithMinusOne)
{
    EXPECT_EQ(-1, RunChildProcess(BuildTreePath(KOVA_RUNTIME_EXE), L"", 60000));
}
