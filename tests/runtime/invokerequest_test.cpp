#include "invokerequest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::wstring>;

TEST(InvokeRequest, SplitsTheArgumentText)
{
    struct Case {
        std::wstring text, separator;
        Texts arguments;
    } cases[] = {
        {L"1|2|3", L"|", {L"1", L"2", L"3"}},
        {L"a,,b,", L",", {L"a", L"", L"b"}},
        {L",a", L",", {L"", L"a"}},
        {L",", L",", {L""}},
        {L"a  b", L" ", {L"a", L"b"}},
        {L" a\tb ", L" \t", {L"a", L"b"}},
        {L"a;b|c", L";|", {L"a", L"b", L"c"}},
        {L"", L",", {}},
        {L"a,b", L"", {L"a,b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()) + " / " +
                     std::string(c.separator.begin(), c.separator.end()));
        EXPECT_EQ(c.arguments, SplitMovieArguments(c.text, c.separator));
    }
}

TEST(InvokeRequest, BuildsTheRequestWithEveryArgumentAsString)
{
    EXPECT_EQ(L"<invoke name=\"show\" returntype=\"xml\"><arguments><string>1</string><string></string>"
              L"</arguments></invoke>",
              BuildInvokeRequest(L"show", {L"1", L""}));
    EXPECT_EQ(L"<invoke name=\"f\" returntype=\"xml\"><arguments></arguments></invoke>",
              BuildInvokeRequest(L"f", {}));
}

TEST(InvokeRequest, MarkupInNamesAndArgumentsStaysText)
{
    EXPECT_EQ(L"<invoke name=\"a&quot; b=&quot;c\" returntype=\"xml\"><arguments>"
              L"<string>x&lt;/string&gt;&lt;string&gt;y &amp; &quot;z&quot;</string></arguments></invoke>",
              BuildInvokeRequest(L"a\" b=\"c", {L"x</string><string>y & \"z\""}));
}

} // namespace
