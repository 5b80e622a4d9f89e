#include "controlrect.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase {
    int32_t parentWidth, parentHeight;
    const wchar_t *x, *y, *width, *height;
    ControlRect expected;
};

class ControlRectPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(ControlRectPlacement, GivesRectangle)
{
    const PlacementCase& c = GetParam();
    ControlRect rect;
    ASSERT_TRUE(ComputeControlRect(c.parentWidth, c.parentHeight, c.x, c.y, c.width, c.height, rect));
    EXPECT_EQ(c.expected.x, rect.x);
    EXPECT_EQ(c.expected.y, rect.y);
    EXPECT_EQ(c.expected.width, rect.width);
    EXPECT_EQ(c.expected.height, rect.height);
}

INSTANTIATE_TEST_SUITE_P(Cases, ControlRectPlacement, testing::Values(
    PlacementCase{800, 600, L"c", L"b", L"50%", L"25%", {200, 450, 400, 150}},
    PlacementCase{800, 600, L"l", L"t", L"150%", L"0%", {0, 0, 800, 6}},
    PlacementCase{1000, 1001, L"10", L"-5", L"33%", L"33%", {10, -5, 330, 330}},
    PlacementCase{800, 600, L"R", L"B", L"-20", L"0", {820, 600, -20, 0}},
    PlacementCase{801, 601, L"C", L"c", L"100", L"51", {350, 275, 100, 51}},
    PlacementCase{800, 600, L" 7", L"+8", L"%40", L"-3%", {7, 8, 320, 6}}));

TEST(ControlRect, UnreadableTextLeavesRectangleUntouched)
{
    const struct { const wchar_t *x, *y, *width, *height; } bad[] = {
        {L"0", L"0", L"abc", L"10"},        // letters
        {L"0", L"0", L"10", L"50%%"},       // only the first percent sign goes
        {L"10%", L"0", L"10", L"10"},       // no percentages for positions
        {L"0", L"r", L"10", L"10"},         // r is a horizontal letter
        {L"0", L"0", L"10 ", L"10"},        // trailing space
        {L"0", L"0", L"", L"10"},           // empty
        {L"99999999999", L"0", L"1", L"1"}, // out of 32-bit range
    };
    for (const auto& b : bad) {
        ControlRect rect{1, 2, 3, 4};
        EXPECT_FALSE(ComputeControlRect(800, 600, b.x, b.y, b.width, b.height, rect)) << b.width;
        EXPECT_EQ(1, rect.x);
        EXPECT_EQ(2, rect.y);
        EXPECT_EQ(3, rect.width);
        EXPECT_EQ(4, rect.height);
    }
}

} // namespace
