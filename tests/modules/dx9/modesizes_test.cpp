#include "modesizes.h"

#include <gtest/gtest.h>

using Sizes = std::vector<std::pair<int32_t, int32_t>>;

// An adapter lists each size once per refresh rate, not necessarily in order.
TEST(DistinctModeSizes, SortsByWidthThenHeightAndListsEachSizeOnce)
{
    const std::vector<DisplayMode> modes = {
        {1024, 768, 22}, {800, 600, 22}, {640, 480, 22}, {800, 600, 22},
        {640, 400, 22},  {1024, 768, 22}, {640, 480, 22}, {800, 600, 22},
    };
    EXPECT_EQ(DistinctModeSizes(modes), (Sizes{{640, 400}, {640, 480}, {800, 600}, {1024, 768}}));
    EXPECT_EQ(DistinctModeSizes({}), Sizes());
}
