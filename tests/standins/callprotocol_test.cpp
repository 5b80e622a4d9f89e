#include "base64.h"
#include "callprotocol.h"
#include "jsonvalue.h"
#include "moviescript.h"

#include <gtest/gtest.h>

using namespace standin;

TEST(StandinCallProtocol, Base64KnownValues)
{
    const struct {
        const char* bytes;
        const char* text;
    } cases[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"[\"nxa.init\"]", "WyJueGEuaW5pdCJd"}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.text, Base64Encode(c.bytes));
        std::string decoded;
        EXPECT_TRUE(Base64Decode(c.text, decoded));
        EXPECT_EQ(c.bytes, decoded);
    }
    std::string decoded;
    EXPECT_FALSE(Base64Decode("Zm9v!", decoded));
    EXPECT_FALSE(Base64Decode("Z", decoded));
}

TEST(StandinCallProtocol, CommandScriptAndReplies)
{
    EXPECT_EQ("try { __flash__toXML(TevOnCommand(true,2,-1,\"WyJueGEuaW5pdCJd\")) ; } catch (e) { \"<undefined/>\"; }",
              BuildCommandScript(true, 2, -1, "[\"nxa.init\"]"));
    std::string text;
    EXPECT_TRUE(ParseStringReply("<string>abc</string>", text));
    EXPECT_EQ("abc", text);
    EXPECT_TRUE(ParseStringReply("<string></string>", text));
    EXPECT_EQ("", text);
    EXPECT_FALSE(ParseStringReply("", text));
    EXPECT_FALSE(ParseStringReply("<undefined/>", text));
}

TEST(StandinCallProtocol, InvokeRequests)
{
    InvokeRequest request;
    ASSERT_TRUE(ParseInvokeRequest("<invoke name=\"TevOnAsyncEvent\" returntype=\"xml\"><arguments><string>onResult"
                                   "</string><string>3</string><string>e30=</string></arguments></invoke>",
                                   request));
    EXPECT_EQ("TevOnAsyncEvent", request.name);
    EXPECT_EQ((std::vector<std::string>{"onResult", "3", "e30="}), request.arguments);
    ASSERT_TRUE(ParseInvokeRequest("<invoke name=\"f\" returntype=\"xml\"><arguments><string>a &amp; b</string>"
                                   "<number>2</number><true/><null/><string></string></arguments></invoke>",
                                   request));
    EXPECT_EQ((std::vector<std::string>{"a & b", "2", "true", "null", ""}), request.arguments);
    ASSERT_TRUE(ParseInvokeRequest("<invoke name=\"g\" returntype=\"xml\"><arguments></arguments></invoke>", request));
    EXPECT_TRUE(request.arguments.empty());
    for (const char* bad : {"", "<invoke name=\"f\"", "<invoke name=\"f\" returntype=\"xml\"><arguments><string>open",
                            "<invoke name=\"f\" returntype=\"xml\"><arguments><object/></arguments></invoke>"})
        EXPECT_FALSE(ParseInvokeRequest(bad, request)) << bad;
}

TEST(StandinCallProtocol, JsonComparesByValue)
{
    JsonValue a, b;
    ASSERT_TRUE(JsonValue::Parse("{ \"a\": 1, \"b\": [true, null, \"x\\u00e9\"] }", a));
    ASSERT_TRUE(JsonValue::Parse("{\"b\":[true,null,\"x\xc3\xa9\"],\"a\":1.0}", b));
    EXPECT_EQ(a, b);
    EXPECT_EQ("{\"a\":1,\"b\":[true,null,\"x\xc3\xa9\"]}", a.Serialise());
    ASSERT_TRUE(JsonValue::Parse("{\"a\":2}", b));
    EXPECT_NE(a, b);
    for (const char* bad : {"", "[1,", "{\"a\" 1}", "tru", "[1] x", "\"open"})
        EXPECT_FALSE(JsonValue::Parse(bad, a)) << bad;
    EXPECT_FALSE(JsonValue::Parse(std::string(10000, '['), a));
}

TEST(StandinCallProtocol, ScriptLines)
{
    // Blank lines, lines of blanks and comments, also indented ones, are skipped.
    std::vector<ScriptStep> steps =
        ParseMovieScript("# comment\n\ninit\r\n \t\r\n  # indented\n  call  nxa.A.b  [1, 2] \nquit");
    ASSERT_EQ(3u, steps.size());
    EXPECT_EQ("init", steps[0].word);
    EXPECT_EQ(3, steps[0].line);
    EXPECT_EQ("call", steps[1].word);
    EXPECT_EQ(6, steps[1].line);
    EXPECT_EQ("nxa.A.b  [1, 2]", steps[1].operand);
    EXPECT_EQ("quit", steps[2].word);
}
