#include "base64.h"
#include "calltext.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::string Encode(const std::string& text)
{
    return Base64Encode(reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

std::string Decode(const std::string& text)
{
    const auto bytes = Base64Decode(text);
    return std::string(bytes.begin(), bytes.end());
}

// The script text the plug-in writes for one movie call.
std::string Script(const std::string& arguments)
{
    return "try { __flash__toXML(TevOnCommand(" + arguments + "\")) ; } catch (e) { \"<undefined/>\"; }";
}

std::string Payload(const std::string& json)
{
    return Encode(json);
}

TEST(Base64, Rfc4648Vectors)
{
    const struct { const char *bytes, *text; } vectors[] = {
        {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"{ }", "eyB9"},
    };
    for (const auto& v : vectors) {
        EXPECT_EQ(v.text, Encode(v.bytes)) << v.bytes;
        EXPECT_EQ(v.bytes, Decode(v.text)) << v.text;
    }
}

TEST(Base64, BytesOutsideTheAlphabetReadAsZero)
{
    std::string foreign;
    for (int c = 0x80; c < 0x100; ++c)
        foreign.push_back(static_cast<char>(c));
    EXPECT_EQ(std::string(96, '\0'), Decode(foreign));
    EXPECT_EQ(Decode("AA AA"), std::string("\0\0\0", 3));
}

TEST(CallText, WellFormedCalls)
{
    const std::string json = "[\"nxa.Clipboard.copyString\",\"a/b\"]";
    const struct {
        std::string arguments;
        bool isAsync;
        int32_t formId, callerId;
    } cases[] = {
        {"false,0,7,\"" + Payload(json), false, 0, 7},
        {"true,2,-3,\"" + Payload(json), true, 2, -3},
        // Only the exact word "true" makes a call asynchronous.
        {"True,1,1,\"" + Payload(json), false, 1, 1},
        {"\"true\",1,1,\"" + Payload(json), false, 1, 1},
        {" true,1,1,\"" + Payload(json), false, 1, 1},
        // Ids read as leading decimal digits and saturate at 32 bits.
        {"false,12abc,x,\"" + Payload(json), false, 12, 0},
        {"false,99999999999,-99999999999,\"" + Payload(json), false, INT32_MAX, INT32_MIN},
        // A character beyond ASCII is no digit either.
        {"false,5\xC3\xA9,\xC3\xA9" "7,\"" + Payload(json), false, 5, 0},
    };
    for (const auto& c : cases) {
        CallText call;
        ASSERT_TRUE(ParseCallText(Script(c.arguments), call)) << c.arguments;
        EXPECT_EQ(c.isAsync, call.isAsync) << c.arguments;
        EXPECT_EQ(c.formId, call.formId) << c.arguments;
        EXPECT_EQ(c.callerId, call.callerId) << c.arguments;
        EXPECT_EQ("[\"nxa.Clipboard.copyString\",\"a/b\"]", call.commandText) << c.arguments;
    }
}

TEST(CallText, MalformedCallsRunNothing)
{
    const std::string payload = Payload("[\"nxa.Zip.zip\"]");
    const std::string scripts[] = {
        "",
        "window.alert(1)",
        "TevOnCommand",                                   // no argument list
        "TevOnCommand(false,0,0,\"" + payload,            // no closing sequence
        "TevOnCommand(false,0,0,\"" + payload + "\"))",   // closing sequence cut short
        Script("false,0,\"" + payload),                    // three fields
        Script("false,0,0,1,\"" + payload),                // five fields
        Script("false,0,0,\""),                            // empty payload
        Script("false,0,0,"),                              // no payload at all
    };
    for (const auto& script : scripts) {
        CallText call;
        call.formId = 42;
        EXPECT_FALSE(ParseCallText(script, call)) << script;
        EXPECT_EQ(42, call.formId) << script;
    }
}

TEST(CallText, PayloadIsUtf8AndForeignCharactersAreHarmless)
{
    CallText call;
    ASSERT_TRUE(ParseCallText(Script("false,0,0,\"" + Payload("[\"nxa.Dialogs.alert\",\"\xC3\xA9\"]")), call));
    EXPECT_EQ("[\"nxa.Dialogs.alert\",\"\xC3\xA9\"]", call.commandText);

    // Characters outside the alphabet (also beyond 8 bits) read as "A": three
    // zero bytes, and the text ends at the first.
    ASSERT_TRUE(ParseCallText(Script("false,0,0,\"\xE2\x82\xAC" "A\xC3\xBF\xC5\x81"), call));
    EXPECT_EQ("", call.commandText);

    // One digit per character, not per byte: "\xC3\xA9" in place of the "A"
    // of WyJAUCJd (["@P"]) leaves the text as it was.
    ASSERT_TRUE(ParseCallText(Script("false,0,0,\"WyJ\xC3\xA9UCJd"), call));
    EXPECT_EQ("[\"@P\"]", call.commandText);

    // Malformed UTF-8 in the payload reads as U+FFFD, as wide text would hold it.
    ASSERT_TRUE(ParseCallText(Script("false,0,0,\"" + Payload("[\"\xFF\"]")), call));
    EXPECT_EQ("[\"\xEF\xBF\xBD\"]", call.commandText);
}

TEST(CallText, RequestsThatAnswerOrRunOnTheMainThread)
{
    EXPECT_TRUE(IsInitRequest("[\"nxa.init\"]"));
    EXPECT_TRUE(IsInitRequest("[\"nxa.Zip.zip\",\"nxa.init\"]"));
    EXPECT_FALSE(IsInitRequest("[\"nxa.Init\"]"));

    EXPECT_TRUE(MustRunOnMainThread(L"[\"nxa.Dialogs.prompt\",\"a\"]"));
    EXPECT_TRUE(MustRunOnMainThread(L"[\"nxa.Application.say\",\"hello\"]"));
    EXPECT_TRUE(MustRunOnMainThread(L"[\"nxa.FileSystem.deleteFolder\",\"c:\\\\x\",true]"));
    EXPECT_FALSE(MustRunOnMainThread(L"[\"nxa.FileSystem.copyFile\",\"a\",\"b\"]"));
    EXPECT_FALSE(MustRunOnMainThread(L"[\"nxa.dialogs.prompt\"]"));
}

} // namespace
