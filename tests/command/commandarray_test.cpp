#include "commandarray.h"

#include <json-c/json.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ArgumentTexts(const CommandArray& command)
{
    std::vector<std::string> texts;
    for (json_object* argument : command.Arguments())
        texts.push_back(json_object_to_json_string(argument));
    return texts;
}

TEST(CommandArray, TextThatIsNoNonEmptyArrayIsNoCall)
{
    for (const std::string text : {"", "[]", "{\"a\":1}", "\"nxa.init\"", "5", "[\"a\",", "nul"})
        EXPECT_FALSE(CommandArray(text).IsCall()) << text;
}

TEST(CommandArray, NameAndArguments)
{
    const struct {
        std::string text;
        std::string name;
        std::vector<std::string> arguments;
    } cases[] = {
        {"[\"nxa.Application.delay\",250]", "nxa.Application.delay", {"250"}},
        {"[\"nxa.a\",\"h\\u00e9\",null,[1,{\"b\":true}]]", "nxa.a", {"\"h\xC3\xA9\"", "null", "[ 1, { \"b\": true } ]"}},
        // A name that is no string is named by its JSON text.
        {"[5]", "5", {}},
        {"[null,1]", "null", {"1"}},
        {"[[\"x\"]]", "[ \"x\" ]", {}},
        // Text after the array is not read; nor is anything after the first
        // NUL, inside a string as elsewhere.
        {"[\"nxa.a\"]]x", "nxa.a", {}},
        {std::string("[\"nxa.a\\u0000b\"]"), "nxa.a", {}},
        {std::string("[\"nxa.a\"]\0garbage", 17), "nxa.a", {}},
    };
    for (const auto& c : cases) {
        const CommandArray command(c.text);
        ASSERT_TRUE(command.IsCall()) << c.text;
        EXPECT_EQ(c.name, command.CommandName()) << c.text;
        EXPECT_EQ(c.arguments, ArgumentTexts(command)) << c.text;
    }
}

} // namespace
