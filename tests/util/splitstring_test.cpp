#include "splitstring.h"

#include <gtest/gtest.h>

namespace {

using List = std::vector<std::wstring>;

TEST(SplitString, Pieces)
{
    const struct { const wchar_t *text, *separator; List expected; bool more; } cases[] = {
        {L"1|2|3", L"|", {L"1", L"2", L"3"}, true},
        {L"123", L"|", {L"123"}, false},
        {L"a|b|", L"|", {L"a", L"b", L""}, true},
        {L"", L"|", {L""}, false},
        {L"|", L"|", {L"", L""}, true},
        {L"a::b:c", L"::", {L"a", L"b:c"}, true},
        {L"a|b", L"", {L"a|b"}, false},
    };
    for (const auto& c : cases) {
        List list;
        EXPECT_EQ(c.more, SplitString(c.text, c.separator, list)) << c.text;
        EXPECT_EQ(c.expected, list) << c.text;
    }
}

TEST(SplitString, AppendsToWhatTheListHolds)
{
    List list{L"x"};
    EXPECT_TRUE(SplitByPipe(L"only", list));
    EXPECT_EQ((List{L"x", L"only"}), list);
}

} // namespace
