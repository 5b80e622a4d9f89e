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
std::wstring Script(const std::wstring& arguments)
{
    return L"try { __flash__toXML(TevOnCommand(" + arguments + L"\")) ; } catch (e) { \"<undefined/>\"; }";
}

std::wstring Payload(const std::string& json)
{
    const std::string base64 = Encode(json);
    return std::wstring(base64.begin(), base64.end());
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
        std::wstring arguments;
        bool isAsync;
        int32_t formId, callerId;
    } cases[] = {
        {L"false,0,7,\"" + Payload(json), false, 0, 7},
        {L"true,2,-3,\"" + Payload(json), true, 2, -3},
        // Only the exact word "true" makes a call asynchronous.
        {L"True,1,1,\"" + Payload(json), false, 1, 1},
        {L"\"true\",1,1,\"" + Payload(json), false, 1, 1},
        {L" true,1,1,\"" + Payload(json), false, 1, 1},
        // Ids read as leading decimal digits and saturate at 32 bits.
        {L"false,12abc,x,\"" + Payload(json), false, 12, 0},
        {L"false,99999999999,-99999999999,\"" + Payload(json), false, INT32_MAX, INT32_MIN},
    };
    for (const auto& c : cases) {
        CallText call;
        ASSERT_TRUE(ParseCallText(Script(c.arguments), call)) << c.arguments;
        EXPECT_EQ(c.isAsync, call.isAsync) << c.arguments;
        EXPECT_EQ(c.formId, call.formId) << c.arguments;
        EXPECT_EQ(c.callerId, call.callerId) << c.arguments;
        EXPECT_EQ(L"[\"nxa.Clipboard.copyString\",\"a/b\"]", call.commandText) << c.arguments;
    }
}

TEST(CallText, MalformedCallsRunNothing)
{
    const std::wstring payload = Payload("[\"nxa.Zip.zip\"]");
    const std::wstring scripts[] = {
        L"",
        L"window.alert(1)",
        L"TevOnCommand",                                        // no argument list
        L"TevOnCommand(false,0,0,\"" + payload,                // no closing sequence
        L"TevOnCommand(false,0,0,\"" + payload + L"\"))",      // closing sequence cut short
        Script(L"false,0,\"" + payload),                        // three fields
        Script(L"false,0,0,1,\"" + payload),                    // five fields
        Script(L"false,0,0,\""),                                // empty payload
        Script(L"false,0,0,"),                                  // no payload at all
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
    ASSERT_TRUE(ParseCallText(Script(L"false,0,0,\"" + Payload("[\"nxa.Dialogs.alert\",\"\xC3\xA9\"]")), call));
    EXPECT_EQ(L"[\"nxa.Dialogs.alert\",\"\u00E9\"]", call.commandText);

    // Characters outside the alphabet (also beyond 8 bits) read as "A": three
    // zero bytes, and the text ends at the first.
    ASSERT_TRUE(ParseCallText(Script(L"false,0,0,\"\u20ACA\u00FF\u0141"), call));
    EXPECT_EQ(L"", call.commandText);
}

TEST(CallText, RequestsThatAnswerOrRunOnTheMainThread)
{
    EXPECT_TRUE(IsInitRequest(L"[\"nxa.init\"]"));
    EXPECT_TRUE(IsInitRequest(L"[\"nxa.Zip.zip\",\"nxa.init\"]"));
    EXPECT_FALSE(IsInitRequest(L"[\"nxa.Init\"]"));

    EXPECT_TRUE(MustRunOnMainThread(L"[\"nxa.Dialogs.prompt\",\"a\"]"));
    EXPECT_TRUE(MustRunOnMainThread(L"[\"nxa.Application.say\",\"hello\"]"));
    EXPECT_TRUE(MustRunOnMainThread(L"[\"nxa.FileSystem.deleteFolder\",\"c:\\\\x\",true]"));
    EXPECT_FALSE(MustRunOnMainThread(L"[\"nxa.FileSystem.copyFile\",\"a\",\"b\"]"));
    EXPECT_FALSE(MustRunOnMainThread(L"[\"nxa.dialogs.prompt\"]"));
}

} // namespace
