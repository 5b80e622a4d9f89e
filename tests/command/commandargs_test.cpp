#include "commandargs.h"
#include "commandrow.h"

#include <json-c/json.h>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <thread>

namespace {

// A parsed JSON value, released at the end of the scope.
struct Json {
    explicit Json(const char* text) : value(json_tokener_parse(text)) {}
    explicit Json(json_object* value) : value(value) {}
    ~Json() { json_object_put(value); }
    json_object* value;
};

// The reading rules are json-c's. This json-c saturates integers beyond 32
// bits (older releases wrapped them); these cases pin what handlers see.
TEST(CommandArgs, ReadIntFollowsJsonC)
{
    const struct { const char* json; int32_t expected; } cases[] = {
        {"5", 5},           {"-7", -7},          {"true", 1},           {"false", 0},
        {"2.9", 2},         {"-2.9", -2},        {"\"12abc\"", 12},     {"\" 42\"", 42},
        {"\"abc\"", 0},     {"\"\"", 0},         {"[1]", 0},            {"{\"a\":1}", 0},
        {"3000000000", INT32_MAX}, {"-3000000000", INT32_MIN}, {"1e20", INT32_MAX},
        {"\"99999999999\"", INT32_MAX},
    };
    for (const auto& c : cases) {
        const Json value(c.json);
        ASSERT_NE(nullptr, value.value) << c.json;
        EXPECT_EQ(c.expected, ReadInt(value.value)) << c.json;
    }
    EXPECT_EQ(0, ReadInt(nullptr)); // JSON null arrives as a null pointer
    const Json notANumber(json_object_new_double(NAN));
    EXPECT_EQ(0, ReadInt(notANumber.value));
}

TEST(CommandArgs, ReadFlagAndDoubleFollowJsonC)
{
    const struct { const char* json; bool expected; } flags[] = {
        {"true", true}, {"false", false}, {"0", false}, {"2", true},   {"0.0", false},
        {"0.5", true},  {"\"\"", false},  {"\"false\"", true},         {"[1]", false},
    };
    for (const auto& c : flags) {
        const Json value(c.json);
        EXPECT_EQ(c.expected, ReadFlag(value.value)) << c.json;
    }
    EXPECT_FALSE(ReadFlag(nullptr));

    const Json whole("\"1.5\""), trailing("\"1.5x\""), number("7");
    EXPECT_DOUBLE_EQ(1.5, ReadDouble(whole.value));
    EXPECT_DOUBLE_EQ(0.0, ReadDouble(trailing.value));
    EXPECT_DOUBLE_EQ(7.0, ReadDouble(number.value));
}

TEST(CommandArgs, ReadTextGivesStringsOrJsonText)
{
    const struct { const char* json; const wchar_t* expected; } cases[] = {
        {"\"h\xC3\xA9llo\"", L"h\u00E9llo"}, {"12", L"12"}, {"true", L"true"},
        {"1.5", L"1.5"},                      {"[1,2]", L"[ 1, 2 ]"}, {"{}", L"{ }"},
        {"\"a/b\"", L"a/b"},
    };
    for (const auto& c : cases) {
        const Json value(c.json);
        EXPECT_EQ(wxString(c.expected), ReadText(value.value)) << c.json;
    }
    EXPECT_EQ(wxString(), ReadText(nullptr));
    const Json bad("\"\xFF\"");
    EXPECT_EQ(wxString(L"\uFFFD"), ReadText(bad.value));
}

// Payload and result texts are json-c's own: spaced objects and arrays, and
// "/" escaped (this json-c would leave it alone if asked; it is not asked).
TEST(CommandArgs, ResultTextsAreJsonCsSerialisation)
{
    const Json slash(MakeText("a/b")), accented(MakeText(L"\u00E9\"")), list(MakeTextArray({"x", "y/z"}));
    const Json emptyObject(json_object_new_object()), emptyList(MakeTextArray({}));
    EXPECT_EQ("\"a\\/b\"", ToJsonText(slash.value));
    EXPECT_EQ("\"\xC3\xA9\\\"\"", ToJsonText(accented.value));
    EXPECT_EQ("[ \"x\", \"y\\/z\" ]", ToJsonText(list.value));
    EXPECT_EQ("{ }", ToJsonText(emptyObject.value));
    EXPECT_EQ("[ ]", ToJsonText(emptyList.value));
    EXPECT_EQ("null", ToJsonText(nullptr));

    const Json number(MakeInt(-5)), flag(MakeFlag(true));
    EXPECT_EQ("-5", ToJsonText(number.value));
    EXPECT_EQ("true", ToJsonText(flag.value));
}

json_object* __cdecl AnswerCallerId(CallInfo* call, int32_t, json_object**)
{
    return MakeText(wxString::Format("caller %d", call->callerId));
}

TEST(InvokeRowHandler, NullForNoValueAndOwnTextPerThread)
{
    CallInfo call = {0, 0, 0, {0, 0, 0, 0, 0}};
    EXPECT_STREQ("null", InvokeRowHandler([](CallInfo*, int32_t, json_object**) -> json_object* { return nullptr; },
                                          &call, 0, nullptr));
    EXPECT_STREQ("null", InvokeRowHandler(nullptr, &call, 0, nullptr));

    // Two threads invoking at once each keep their own result text.
    auto invokeMany = [](int32_t callerId, bool& allOwn) {
        CallInfo mine = {0, callerId, 1, {0, 0, 0, 0, 0}};
        const std::string expected = "\"caller " + std::to_string(callerId) + "\"";
        allOwn = true;
        for (int i = 0; i < 2000; ++i) {
            const char* text = InvokeRowHandler(AnswerCallerId, &mine, 0, nullptr);
            allOwn = allOwn && expected == text;
        }
    };
    bool firstOwn = false, secondOwn = false;
    std::thread first(invokeMany, 1, std::ref(firstOwn));
    std::thread second(invokeMany, 2, std::ref(secondOwn));
    first.join();
    second.join();
    EXPECT_TRUE(firstOwn);
    EXPECT_TRUE(secondOwn);
}

} // namespace
