#include "commandcalls.h"
#include "commandcentre.h"
#include "eventdispatcher.h"
#include "mainthread.h"
#include "scopedcommandcentre.h"
#include "standinform.h"
#include "testmodule.h"
#include "unknowncommandcapture.h"

#include <gtest/gtest.h>

#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <thread>
#include <vector>

namespace {

class AsyncRoad : public testing::Test {
protected:
    AsyncRoad() { TestModuleLog::Reset(); }

    ScopedCommandCentre centre{{&TestModule()}};
    UnknownCommandCapture unknown;
};

// Waits without pumping the main thread's events.
bool WaitWithoutPumping(const std::function<bool()>& done, int timeoutMs = 5000)
{
    wxStopWatch watch;
    while (!done()) {
        if (watch.Time() > timeoutMs)
            return false;
        wxMilliSleep(2);
    }
    return true;
}

TEST_F(AsyncRoad, QueuedCallsRunFirstInFirstOutOnTheWorker)
{
    for (int i = 0; i < 5; ++i) {
        const wxString script = MakeScriptText(true, 1, 2, MakeCommandText("nxa.Test.record", std::to_string(i)));
        EXPECT_EQ("<string></string>", CommandCentre::Get().OnCommand(1, script));
    }
    ASSERT_TRUE(PumpEventsUntil([] { return TestModuleLog::Calls().size() == 5; }));
    const auto calls = TestModuleLog::Calls();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(i, calls[i].value);
        EXPECT_FALSE(calls[i].onMainThread);
        EXPECT_EQ(calls[0].thread, calls[i].thread);
        EXPECT_EQ(1, calls[i].isAsync);
    }
}

TEST_F(AsyncRoad, DialogsSpeechAndFolderDeletionRunOnTheMainThread)
{
    const struct { const char* name; bool onMainThread; } cases[] = {
        {"nxa.Dialogs.record", true},
        {"nxa.Application.say", true},
        {"nxa.FileSystem.deleteFolder", true},
        {"nxa.FileSystem.copyFile", false},
    };
    for (int i = 0; i < 4; ++i)
        CommandCentre::Get().OnCommand(0, MakeScriptText(true, 0, 0, MakeCommandText(cases[i].name, std::to_string(i))));
    // Nothing runs inside the evaluation itself.
    EXPECT_TRUE(TestModuleLog::Calls().empty());
    ASSERT_TRUE(PumpEventsUntil([] { return TestModuleLog::Calls().size() == 4; }));
    for (const RecordedCall& call : TestModuleLog::Calls()) {
        EXPECT_EQ(cases[call.value].onMainThread, call.onMainThread) << cases[call.value].name;
        EXPECT_EQ(1, call.isAsync) << cases[call.value].name;
    }
}

TEST_F(AsyncRoad, UnknownQueuedCommandIsReportedFromTheWorker)
{
    CallCommandAsync("nxa.Test.missing");
    ASSERT_TRUE(PumpEventsUntil([&] { return unknown.Reports().size() == 1; }));
    EXPECT_EQ("Error: Couldn't resolve command 'nxa.Test.missing()'!\n", unknown.Reports()[0].message);
    EXPECT_NE(std::this_thread::get_id(), unknown.Reports()[0].thread);
}

TEST_F(AsyncRoad, EventReachesTheFormsMovieInPostingOrder)
{
    StandInForm first(0, "main");
    StandInForm second(1, "second");
    const EventDispatcher dispatcher(0, 7);
    EventDispatcher::SendComplete(dispatcher);
    EventDispatcher::SendProgress(dispatcher, 40);
    // No form 3: dropped without a trace.
    PostAsyncEvent("{ }", "onGone", &CommandCentre::Get(), 3, 1);
    EventDispatcher::SendIOError(EventDispatcher(1, -2));
    ASSERT_TRUE(PumpEventsUntil([&] { return second.Calls().size() == 1; }));

    ASSERT_EQ(2u, first.Calls().size());
    EXPECT_EQ("<invoke name=\"TevOnAsyncEvent\" returntype=\"xml\"><arguments><string>onComplete</string>"
              "<string>7</string><string>eyB9</string></arguments></invoke>",
              first.Calls()[0]);
    // { "progress": 40 }
    EXPECT_EQ("<invoke name=\"TevOnAsyncEvent\" returntype=\"xml\"><arguments><string>onProgress</string>"
              "<string>7</string><string>eyAicHJvZ3Jlc3MiOiA0MCB9</string></arguments></invoke>",
              first.Calls()[1]);
    EXPECT_EQ("<invoke name=\"TevOnAsyncEvent\" returntype=\"xml\"><arguments><string>onIOError</string>"
              "<string>-2</string><string>eyB9</string></arguments></invoke>",
              second.Calls()[0]);
}

// The event name and caller id of a recorded "TevOnAsyncEvent" request.
void ReadEventRequest(const wxString& request, wxString& name, long& callerId)
{
    const wxString arguments = request.AfterFirst('>').AfterFirst('>').AfterFirst('>');
    name = arguments.BeforeFirst('<');
    arguments.AfterFirst('>').AfterFirst('>').BeforeFirst('<').ToLong(&callerId);
}

// Bursts from several threads into two forms: each event reaches its own
// form's movie once, each thread's in the order it posted them.
TEST_F(AsyncRoad, BurstsFromSeveralThreadsArriveOnceAndInOrder)
{
    const int threadCount = 4;
    const int perThread = 500;
    StandInForm forms[2] = {{0, "main"}, {1, "second"}};
    std::vector<std::thread> posters;
    for (int thread = 0; thread < threadCount; ++thread)
        posters.emplace_back([thread] {
            for (int number = 0; number < perThread; ++number)
                PostAsyncEvent("{ }", wxString::Format("e%d", number), &CommandCentre::Get(), thread % 2, thread);
        });
    const size_t perForm = size_t(threadCount / 2 * perThread);
    const bool arrived = PumpEventsUntil(
        [&] { return forms[0].Calls().size() >= perForm && forms[1].Calls().size() >= perForm; }, 20000);
    for (std::thread& poster : posters)
        poster.join();
    ASSERT_TRUE(arrived);
    // Nothing more comes: no event is delivered twice.
    PumpEventsUntil([] { return false; }, 100);
    for (int formId = 0; formId < 2; ++formId) {
        EXPECT_EQ(perForm, forms[formId].Calls().size());
        std::vector<long> next(threadCount, 0);
        for (const wxString& request : forms[formId].Calls()) {
            wxString name;
            long thread = -1;
            ReadEventRequest(request, name, thread);
            ASSERT_TRUE(thread >= 0 && thread < threadCount && thread % 2 == formId) << request;
            ASSERT_EQ(wxString::Format("e%ld", next[size_t(thread)]), name) << "thread " << thread;
            ++next[size_t(thread)];
        }
    }
}

// Events still queued for a form that closes are dropped, not kept for a
// later form with the same id; the other form's arrive.
TEST_F(AsyncRoad, EventsQueuedForAClosedFormAreDropped)
{
    StandInForm staying(0, "main");
    {
        StandInForm closing(1, "second");
        PostAsyncEvent("{ }", "onLost", &CommandCentre::Get(), 1, 0);
    }
    PostAsyncEvent("{ }", "onKept", &CommandCentre::Get(), 0, 0);
    ASSERT_TRUE(PumpEventsUntil([&] { return staying.Calls().size() == 1; }));
    EXPECT_NE(wxNOT_FOUND, staying.Calls()[0].Find("onKept"));

    StandInForm later(1, "later");
    PostAsyncEvent("{ }", "onNew", &CommandCentre::Get(), 1, 0);
    ASSERT_TRUE(PumpEventsUntil([&] { return !later.Calls().empty(); }));
    ASSERT_EQ(1u, later.Calls().size());
    EXPECT_NE(wxNOT_FOUND, later.Calls()[0].Find("onNew"));
}

TEST_F(AsyncRoad, WorkerRunsMainThreadWorkOnTheMainThread)
{
    CallCommandAsync("nxa.Test.mainWork");
    ASSERT_TRUE(PumpEventsUntil([] { return TestModuleLog::mainWorkRan == 1; }));
    EXPECT_EQ(0, TestModuleLog::mainWorkRefused);

    // On the main thread the work runs at once.
    bool ranHere = false;
    EXPECT_TRUE(RunOnMainThread([&] { ranHere = wxThread::IsMain(); }));
    EXPECT_TRUE(ranHere);
}

TEST(AsyncShutdown, IdleWorkerEndsByItself)
{
    ScopedCommandCentre centre{{&TestModule()}};
    wxStopWatch watch;
    CommandCentre::Get().Shutdown();
    EXPECT_GE(watch.Time(), 240);
    EXPECT_LT(watch.Time(), 2000);
}

// Events that had not reached their movie when the centre shut down do not
// turn up in a form of the next start.
TEST(AsyncShutdown, QueuedEventsAreDropped)
{
    {
        ScopedCommandCentre centre{{&TestModule()}};
        StandInForm form(0, "main");
        PostAsyncEvent("{ }", "onStale", &CommandCentre::Get(), 0, 0);
    }
    ScopedCommandCentre centre{{&TestModule()}};
    StandInForm form(0, "main");
    PostAsyncEvent("{ }", "onFresh", &CommandCentre::Get(), 0, 0);
    ASSERT_TRUE(PumpEventsUntil([&] { return !form.Calls().empty(); }));
    ASSERT_EQ(1u, form.Calls().size());
    EXPECT_NE(wxNOT_FOUND, form.Calls()[0].Find("onFresh"));
}

TEST(AsyncShutdown, CallThatOutlastsTheGracePeriodIsCutOff)
{
    TestModuleLog::Reset();
    ScopedCommandCentre centre{{&TestModule()}};
    CommandCentre::Get().Queue().PushQueuedCall(QueuedCall{0, 0, L"[\"nxa.Test.sleep\", 5000]"});
    CommandCentre::Get().Queue().PushQueuedCall(QueuedCall{0, 0, L"[\"nxa.Test.record\", 1]"});
    ASSERT_TRUE(WaitWithoutPumping([] { return CommandCentre::Get().Queue().Size() == 1; }));
    wxStopWatch watch;
    CommandCentre::Get().Shutdown();
    EXPECT_LT(watch.Time(), 2000);
    EXPECT_EQ(0, TestModuleLog::sleepsFinished);
    // The call that had not started is dropped.
    EXPECT_EQ(0u, CommandCentre::Get().Queue().Size());
    EXPECT_TRUE(TestModuleLog::Calls().empty());
}

// Cutting the call off would leave its file truncated: it is let finish
// (within a bound), and the queued call behind it is still dropped.
TEST(AsyncShutdown, CallWritingAFileIsLetFinish)
{
    TestModuleLog::Reset();
    ScopedCommandCentre centre{{&TestModule()}};
    CommandCentre::Get().Queue().PushQueuedCall(QueuedCall{0, 0, L"[\"nxa.Test.slowWrite\", 1000]"});
    CommandCentre::Get().Queue().PushQueuedCall(QueuedCall{0, 0, L"[\"nxa.Test.record\", 1]"});
    ASSERT_TRUE(WaitWithoutPumping([] { return TestModuleLog::writeStarted.load(); }));
    wxStopWatch watch;
    CommandCentre::Get().Shutdown();
    EXPECT_LT(watch.Time(), 4000);
    EXPECT_EQ(1, TestModuleLog::writesFinished);
    EXPECT_TRUE(TestModuleLog::Calls().empty());
}

TEST(AsyncShutdown, WorkerWaitingForTheMainThreadIsReleased)
{
    TestModuleLog::Reset();
    ScopedCommandCentre centre{{&TestModule()}};
    // Straight into the queue: the main thread pumps nothing from here on, so
    // the worker stays blocked in RunOnMainThread until shut-down.
    CommandCentre::Get().Queue().PushQueuedCall(QueuedCall{0, 0, L"[\"nxa.Test.mainWork\"]"});
    ASSERT_TRUE(WaitWithoutPumping([] { return TestModuleLog::mainWorkStarted.load(); }));
    wxMilliSleep(50);
    wxStopWatch watch;
    CommandCentre::Get().Shutdown();
    EXPECT_LT(watch.Time(), 2000);
    EXPECT_EQ(1, TestModuleLog::mainWorkRefused);
    // The cancelled work never runs, even when the main thread gets to it.
    PumpEventsUntil([] { return false; }, 100);
    EXPECT_EQ(0, TestModuleLog::mainWorkRan);
}

} // namespace
