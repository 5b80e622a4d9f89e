// The Timer rows through the call road: ten numbered timers per object,
// one-shot and repeating, reported as "onTimer1" .. "onTimer10".
#include "commandcalls.h"
#include "eventcapture.h"
#include "messagepumping.h"
#include "nxaapplication.h"
#include "scopedcommandcentre.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string Timer(const std::string& command)
{
    return "nxa.Application.Timer." + command;
}

// The names of the captured events, in order.
std::vector<std::wstring> Names(const EventCapture& capture)
{
    std::vector<std::wstring> names;
    for (const AsyncEventData& event : capture.Events())
        names.push_back(event.eventName);
    return names;
}

// Waits, with a bound, for a quiet window of a timer with the period: no
// event comes while the sentinel ticks.
bool EventsStop(const EventCapture& capture, int periodMs)
{
    for (int window = 0; window < 20; ++window) {
        const size_t before = capture.Events().size();
        if (!PumpThroughTimerPeriods(periodMs))
            return false;
        if (capture.Events().size() == before)
            return true;
    }
    return false;
}

class TimerTest : public testing::Test {
protected:
    TimerTest() : m_centre({&nxaApplication::Frame::Descriptor()}) {}

    ScopedCommandCentre m_centre;
    EventCapture m_capture;
};

TEST_F(TimerTest, RepeatingTimerFiresUntilStopped)
{
    ASSERT_TRUE(m_centre.Initialised());
    const std::string id = CallCommandSync(Timer("create"), "", 2, 7);
    EXPECT_EQ("0", CallCommandSync(Timer("start"), id + ", 3, 40, true"));
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_capture.Events().size() >= 3; }));
    EXPECT_EQ("0", CallCommandSync(Timer("stop"), id + ", 3"));
    const size_t firedBeforeStop = m_capture.Events().size();
    ASSERT_TRUE(PumpThroughTimerPeriods(40));

    const std::vector<AsyncEventData> events = m_capture.Events();
    EXPECT_EQ(firedBeforeStop, events.size());
    for (const AsyncEventData& event : events) {
        EXPECT_EQ(L"onTimer3", event.eventName);
        EXPECT_EQ(L"{ }", event.payload);
        EXPECT_EQ(2, event.formId);
        EXPECT_EQ(7, event.callerId);
    }
}

TEST_F(TimerTest, OneShotTimerFiresOnce)
{
    const std::string id = CallCommandSync(Timer("create"));
    EXPECT_EQ("0", CallCommandSync(Timer("start"), id + ", 10, 30, false"));
    ASSERT_TRUE(PumpMessagesUntil([&] { return !m_capture.Events().empty(); }));
    ASSERT_TRUE(PumpThroughTimerPeriods(30));
    EXPECT_EQ(std::vector<std::wstring>{L"onTimer10"}, Names(m_capture));
}

TEST_F(TimerTest, WrongCallsAnswerTheirDefaultAndStartNothing)
{
    const std::string id = CallCommandSync(Timer("create"));
    EXPECT_EQ("-1", CallCommandSync(Timer("create"), "1"));
    struct Case {
        const char* command;
        std::string args;
    };
    const Case cases[] = {
        {"start", id + ", 0, 20, true"},     {"start", id + ", 11, 20, true"}, {"start", id + ", -1, 20, true"},
        {"start", id + ", 1, 20"},           {"start", "9999, 1, 20, true"},   {"start", ""},
        {"stop", id},                        {"stop", id + ", 0"},             {"stop", "9999, 1"},
        {"stopAll", ""},                     {"stopAll", "9999"},              {"stopAll", id + ", 1"},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(std::string(entry.command) + "(" + entry.args + ")");
        EXPECT_EQ("0", CallCommandSync(Timer(entry.command), entry.args));
    }
    ASSERT_TRUE(PumpThroughTimerPeriods(20));
    EXPECT_TRUE(m_capture.Events().empty());
}

TEST_F(TimerTest, StartingARunningTimerEndsItsOldPeriod)
{
    const std::string id = CallCommandSync(Timer("create"));
    // A long period cut short: the event comes one new interval after the call.
    CallCommandSync(Timer("start"), id + ", 1, 60000, false");
    CallCommandSync(Timer("start"), id + ", 1, 30, false");
    // A short period made long: nothing more comes for now.
    CallCommandSync(Timer("start"), id + ", 2, 20, true");
    CallCommandSync(Timer("start"), id + ", 2, 60000, true");
    ASSERT_TRUE(PumpMessagesUntil([&] { return !m_capture.Events().empty(); }));
    ASSERT_TRUE(PumpThroughTimerPeriods(30));
    EXPECT_EQ(std::vector<std::wstring>{L"onTimer1"}, Names(m_capture));
}

TEST_F(TimerTest, StopAllStopsEveryTimer)
{
    const std::string id = CallCommandSync(Timer("create"));
    CallCommandSync(Timer("start"), id + ", 1, 20, true");
    CallCommandSync(Timer("start"), id + ", 7, 20, true");
    ASSERT_TRUE(PumpMessagesUntil([&] {
        const std::vector<std::wstring> names = Names(m_capture);
        return std::count(names.begin(), names.end(), L"onTimer1") > 0 &&
               std::count(names.begin(), names.end(), L"onTimer7") > 0;
    }));
    EXPECT_EQ("0", CallCommandSync(Timer("stopAll"), id));
    const size_t firedBeforeStop = m_capture.Events().size();
    ASSERT_TRUE(PumpThroughTimerPeriods(20));
    EXPECT_EQ(firedBeforeStop, m_capture.Events().size());
}

TEST_F(TimerTest, EachObjectReportsToItsOwnCaller)
{
    const std::string first = CallCommandSync(Timer("create"), "", 1, 11);
    const std::string second = CallCommandSync(Timer("create"), "", 1, 12);
    EXPECT_EQ(std::to_string(std::stoi(first) + 1), second);
    CallCommandSync(Timer("start"), first + ", 1, 20, false");
    CallCommandSync(Timer("start"), second + ", 1, 20, false");
    ASSERT_TRUE(m_capture.WaitFor(2));
    ASSERT_TRUE(PumpThroughTimerPeriods(20));

    const std::vector<AsyncEventData> events = m_capture.Events();
    ASSERT_EQ(2u, events.size());
    std::vector<int32_t> callers = {events[0].callerId, events[1].callerId};
    std::sort(callers.begin(), callers.end());
    EXPECT_EQ((std::vector<int32_t>{11, 12}), callers);
    for (const AsyncEventData& event : events)
        EXPECT_EQ(L"onTimer1", event.eventName);
}

TEST_F(TimerTest, AsynchronousCallsWorkTheMainThreadsTimers)
{
    const std::string id = CallCommandSync(Timer("create"), "", 0, 4);
    CallCommandAsync(Timer("start"), id + ", 6, 20, true");
    ASSERT_TRUE(PumpMessagesUntil([&] { return m_capture.Events().size() >= 2; }));
    CallCommandAsync(Timer("stop"), id + ", 6");
    ASSERT_TRUE(EventsStop(m_capture, 20));
    const size_t firedAfterStop = m_capture.Events().size();
    ASSERT_TRUE(PumpThroughTimerPeriods(20));
    EXPECT_EQ(firedAfterStop, m_capture.Events().size());
    for (const AsyncEventData& event : m_capture.Events())
        EXPECT_EQ(L"onTimer6", event.eventName);
}

} // namespace
