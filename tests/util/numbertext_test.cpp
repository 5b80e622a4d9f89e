#include "numbertext.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseInt32, ReadsTheWholeTextInItsBase)
{
    const struct {
        std::wstring text;
        int base;
        bool read;
        int32_t value;
    } cases[] = {
        {L"10", 10, true, 10},
        {L" -7", 10, true, -7},
        {L"+8", 10, true, 8},
        {L"2147483647", 10, true, INT32_MAX},
        {L"2147483648", 10, false, 0},
        {L"0a", 10, false, 0},
        {L"7 ", 10, false, 0},
        {L"", 10, false, 0},
        {std::wstring(L"1\0" L"2", 3), 10, false, 0},
        {L"0a", 16, true, 10},
        {L"FF", 16, true, 255},
        {L"0x1f", 16, true, 31},
        {L"-f", 16, true, -15},
        {L"zz", 16, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "base " << c.base << " text of " << c.text.size() << " characters");
        int32_t value = 0;
        EXPECT_EQ(c.read, ParseInt32(c.text, value, c.base));
        EXPECT_EQ(c.value, value);
    }
}

} // namespace
