// The one sequence of menu-item ids: from 4000, never given twice while it
// lasts, and within what a menu command carries.
#include "menuitemids.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuItemIds, CountFromFourThousandAndDoNotReuseReleasedIds)
{
    MenuItemIds ids;
    EXPECT_EQ(4000, ids.Take());
    EXPECT_EQ(4001, ids.Take());
    ids.Release(4000);
    EXPECT_EQ(4002, ids.Take());
}

TEST(MenuItemIds, PastTheLastCommandIdStartAgainSkippingHeldIds)
{
    MenuItemIds ids;
    for (int32_t expected = MenuItemIds::kFirstId; expected <= MenuItemIds::kLastId; ++expected)
        ASSERT_EQ(expected, ids.Take());
    EXPECT_EQ(MenuItemIds::kNoId, ids.Take()); // every id is held
    ids.Release(4001);
    ids.Release(4003);
    EXPECT_EQ(4001, ids.Take());
    EXPECT_EQ(4003, ids.Take());
    EXPECT_EQ(MenuItemIds::kNoId, ids.Take());
    ids.Release(32767);
    EXPECT_EQ(32767, ids.Take());
}

} // namespace
