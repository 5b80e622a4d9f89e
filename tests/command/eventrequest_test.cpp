#include "eventrequest.h"

#include <gtest/gtest.h>

namespace {

TEST(EventRequest, CarriesNameCallerAndBase64OfTheUtf8Payload)
{
    const struct {
        std::wstring name;
        int32_t callerId;
        std::wstring payload;
        std::wstring arguments;
    } cases[] = {
        {L"onComplete", 7, L"{ }", L"<string>onComplete</string><string>7</string><string>eyB9</string>"},
        {L"onIOError", -2147483647 - 1, L"", L"<string>onIOError</string><string>-2147483648</string><string></string>"},
        // "é" and U+1F600 (a surrogate pair) as UTF-8 before Base64.
        {L"onResult", 0, L"\"\u00e9\U0001F600\"", L"<string>onResult</string><string>0</string><string>IsOp8J+YgCI=</string>"},
    };
    for (const auto& example : cases) {
        AsyncEventData event;
        event.eventName = example.name;
        event.callerId = example.callerId;
        event.payload = example.payload;
        EXPECT_EQ(L"<invoke name=\"TevOnAsyncEvent\" returntype=\"xml\"><arguments>" + example.arguments +
                      L"</arguments></invoke>",
                  BuildEventRequest(event));
    }
}

} // namespace
