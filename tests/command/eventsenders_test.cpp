#include "eventcapture.h"
#include "eventdispatcher.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(EventSenders, NamesAndPayloadTexts)
{
    EventCapture capture;
    const EventDispatcher object(2, 7);
    EventDispatcher::SendIOError(object);
    EventDispatcher::SendConnected(object);
    EventDispatcher::SendClose(object);
    EventDispatcher::SendComplete(object);
    EventDispatcher::SendCancel(object);
    EventDispatcher::SendProgress(object, 37);
    EventDispatcher::SendProgress(object, 0);
    EventDispatcher::SendProgress(object, 100);
    EventDispatcher::SendProgress(object, -5);
    EventDispatcher::SendResult("C:/dir/file.txt", object);
    EventDispatcher::SendResultList(object, {});
    EventDispatcher::SendResultList(object, {"first", "second"});
    EventDispatcher::SendResultList(object, {L"\u00E9t\u00E9", "a/b", "\"q\"", "same", "same"});

    const struct { const wchar_t *name, *payload; } expected[] = {
        {L"onIOError", L"{ }"},
        {L"onConnected", L"{ }"},
        {L"onClose", L"{ }"},
        {L"onComplete", L"{ }"},
        {L"onCancel", L"{ }"},
        {L"onProgress", L"{ \"progress\": 37 }"},
        {L"onProgress", L"{ \"progress\": 0 }"},
        {L"onProgress", L"{ \"progress\": 100 }"},
        {L"onProgress", L"{ \"progress\": -5 }"},
        {L"onResult", L"{ \"result\": \"C:\\/dir\\/file.txt\" }"},
        {L"onResult", L"{ \"result\": [ ] }"},
        {L"onResult", L"{ \"result\": [ \"first\", \"second\" ] }"},
        {L"onResult", L"{ \"result\": [ \"\u00E9t\u00E9\", \"a\\/b\", \"\\\"q\\\"\", \"same\", \"same\" ] }"},
    };
    const auto events = capture.Events();
    ASSERT_EQ(std::size(expected), events.size());
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(expected[i].name, events[i].eventName) << i;
        EXPECT_EQ(expected[i].payload, events[i].payload) << i;
        EXPECT_EQ(2, events[i].formId) << i;
        EXPECT_EQ(7, events[i].callerId) << i;
    }
}

TEST(EventSenders, AnyThreadMayPost)
{
    EventCapture capture;
    CallInfo call = {4, 9, 1, {0, 0, 0, 0, 0}};
    const EventDispatcher object(call);
    std::thread worker([&] { EventDispatcher::SendComplete(object); });
    worker.join();
    const auto events = capture.Events();
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(L"onComplete", events[0].eventName);
    EXPECT_EQ(4, events[0].formId);
    EXPECT_EQ(9, events[0].callerId);
}

} // namespace
