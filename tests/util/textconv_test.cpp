#include "textconv.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

TEST(Utf8ToWide, DecodesAndReplacesMalformedSequences)
{
    const struct { std::string utf8; std::wstring wide; } cases[] = {
        {"plain", L"plain"},
        {"\xC3\xA9t\xC3\xA9", L"\u00E9t\u00E9"},
        {"\xE2\x82\xAC", L"\u20AC"},
        {"\xF0\x9F\x98\x80", L"\U0001F600"},             // outside the basic plane
        {"a\xFF" "b", L"a\uFFFD" L"b"},                   // invalid byte
        {"\xC0\xAF", L"\uFFFD\uFFFD"},                    // overlong
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},          // encoded surrogate
        {"\xE2\x82", L"\uFFFD"},                          // cut short
        {std::string("ab\0cd", 5), L"ab"},                // stops at the first zero byte
    };
    for (const auto& c : cases) {
        std::wstring wide = L"old";
        EXPECT_TRUE(Utf8ToWide(c.utf8, wide));
        EXPECT_EQ(c.wide, wide);
    }
}

TEST(Utf8ToWide, EmptyInputKeepsOutput)
{
    std::wstring wide = L"kept";
    EXPECT_TRUE(Utf8ToWide("", wide));
    EXPECT_EQ(L"kept", wide);
}

TEST(WideToUtf8, RoundTripsAndReplacesLoneSurrogates)
{
    const std::wstring text = L"A\u00E9\u20AC\U0001F600z";
    EXPECT_EQ(text, Utf8ToWide(WideToUtf8(text)));
    EXPECT_EQ("\xF0\x9F\x98\x80", WideToUtf8(L"\U0001F600"));
    if (sizeof(wchar_t) == 2) {
        const std::wstring lone(1, static_cast<wchar_t>(0xD800));
        EXPECT_EQ("\xEF\xBF\xBD", WideToUtf8(lone));
    }
}

TEST(WellFormedUtf8, MatchesTheRoundTripThroughWideText)
{
    const std::string cases[] = {
        "",
        "plain",
        "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
        "\xEF\xBF\xBD",                   // a literal U+FFFD stays
        "a\xFF" "b",
        "\xC0\xAF",                        // overlong
        "\xED\xA0\x80",                    // encoded surrogate
        "\xF4\x90\x80\x80",                // beyond U+10FFFF
        "x\xE2\x82",                       // cut short at the end
        std::string("ab\0cd", 5),          // cut at the first zero byte
        std::string("\xE2\x82\0\x82", 4),  // a sequence cut short by it
    };
    for (const std::string& text : cases)
        EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), WellFormedUtf8(text)) << text;
}

TEST(MultiByte, ConvertsInTheCurrentLocale)
{
    auto narrow = WideToMultiByte(L"COM1|9600");
    ASSERT_TRUE(narrow);
    EXPECT_STREQ("COM1|9600", narrow.get());
    auto wide = MultiByteToWide("abc");
    ASSERT_TRUE(wide);
    EXPECT_STREQ(L"abc", wide.get());
    EXPECT_EQ(nullptr, MultiByteToWide(nullptr));
}

#ifndef _WIN32
// Which characters convert is the C runtime's business; glibc's "C" locale
// has no form for characters beyond 7 bits.
TEST(MultiByte, UnconvertibleTextGivesNull)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(nullptr, WideToMultiByte(L"\u4E2D"));
    std::setlocale(LC_ALL, saved.c_str());
}
#endif

} // namespace
