#include "commandcalls.h"
#include "commandcentre.h"
#include "eventdispatcher.h"
#include "mainthread.h"
#include "messagepumping.h"
#include "scopedcommandcentre.h"
#include "standinform.h"
#include "testmodule.h"
#include "unknowncommandcapture.h"

#include <gtest/gtest.h>

#include <wx/msw/wrapwin.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <chrono>
#include <functional>
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

// A form whose movie spends a while on each event, as a movie at work does;
// the first event runs the given action.
class BusyForm : public StandInForm {
public:
    BusyForm(int32_t formId, std::chrono::microseconds work, std::function<void()> onFirst = nullptr)
        : StandInForm(formId, wxString::Format("busy%d", formId)), m_work(work), m_onFirst(std::move(onFirst))
    {
    }

    void CallFunction(const wxString& invokeRequest) override
    {
        if (Calls().empty() && m_onFirst)
            m_onFirst();
        StandInForm::CallFunction(invokeRequest);
        const auto end = std::chrono::steady_clock::now() + m_work;
        while (std::chrono::steady_clock::now() < end) {
        }
    }

private:
    std::chrono::microseconds m_work;
    std::function<void()> m_onFirst;
};

// A small top-level window that notes how many events a form had received
// when one kind of message first reached it after Watch.
class MessageProbe {
public:
    MessageProbe(UINT message, std::function<size_t()> progress) : m_message(message), m_progress(std::move(progress))
    {
        static const ATOM windowClass = [] {
            WNDCLASSW definition = {};
            definition.lpfnWndProc = &MessageProbe::Procedure;
            definition.hInstance = ::GetModuleHandleW(nullptr);
            definition.lpszClassName = L"KovaMessageProbe";
            return ::RegisterClassW(&definition);
        }();
        m_window = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, MAKEINTATOM(windowClass), L"probe",
                                     WS_POPUP, 0, 0, 64, 64, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
        // Shown without activation, so that no window manager takes it on:
        // destroying a managed window waits for the manager to let it go.
        ::ShowWindow(m_window, SW_SHOWNOACTIVATE);
        // Its first paint, before anything is watched.
        ::UpdateWindow(m_window);
    }
    ~MessageProbe() { ::DestroyWindow(m_window); }
    MessageProbe(const MessageProbe&) = delete;
    MessageProbe& operator=(const MessageProbe&) = delete;

    HWND Window() const { return m_window; }
    void Watch() { m_watching = true; }
    bool Seen() const { return m_seen; }
    size_t ProgressWhenSeen() const { return m_progressWhenSeen; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE) {
            const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
        }
        auto* probe = reinterpret_cast<MessageProbe*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (probe && message == probe->m_message && probe->m_watching && !probe->m_seen) {
            probe->m_seen = true;
            probe->m_progressWhenSeen = probe->m_progress();
        }
        if (message == WM_TIMER)
            ::KillTimer(window, wParam);
        // Validates a paint, so that it does not come again.
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    UINT m_message;
    std::function<size_t()> m_progress;
    HWND m_window = nullptr;
    bool m_watching = false;
    bool m_seen = false;
    size_t m_progressWhenSeen = 0;
};

// Asserts that the form's calls are the events "e0", "e1", ... of one
// poster, each once, in order.
void ExpectNumberedEventsInOrder(const std::vector<wxString>& calls, size_t count)
{
    ASSERT_EQ(count, calls.size());
    for (size_t index = 0; index < count; ++index)
        ASSERT_NE(wxNOT_FOUND, calls[index].Find(wxString::Format("<string>e%d</string>", int(index)))) << calls[index];
}

// A burst whose events keep the movie busy does not hold off the window
// messages that come due meanwhile, not even those that wait for an empty
// queue (paint, timers): each is handled while events are still waiting.
// The events still arrive once each and in order.
TEST_F(AsyncRoad, LongBurstLetsWindowMessagesThrough)
{
    const struct {
        const char* name;
        UINT message;
        void (*makeDue)(HWND window);
    } kinds[] = {
        {"posted message", WM_APP, [](HWND window) { ::PostMessageW(window, WM_APP, 0, 0); }},
        {"timer", WM_TIMER, [](HWND window) { ::SetTimer(window, 1, USER_TIMER_MINIMUM, nullptr); }},
        {"paint", WM_PAINT, [](HWND window) { ::InvalidateRect(window, nullptr, FALSE); }},
    };
    const int burst = 200;
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        StandInForm* delivered = nullptr;
        MessageProbe probe(kind.message, [&] { return delivered->Calls().size(); });
        BusyForm form(0, std::chrono::milliseconds(1), [&] {
            probe.Watch();
            kind.makeDue(probe.Window());
        });
        delivered = &form;
        for (int number = 0; number < burst; ++number)
            PostAsyncEvent("{ }", wxString::Format("e%d", number), &CommandCentre::Get(), 0, 0);
        ASSERT_TRUE(RunEventLoopUntil([&] { return form.Calls().size() >= size_t(burst); }, 30000));
        EXPECT_TRUE(probe.Seen());
        EXPECT_LT(probe.ProgressWhenSeen(), size_t(burst));
        ExpectNumberedEventsInOrder(form.Calls(), size_t(burst));
    }
}

// Bursts from several threads into two forms, delivered in slices (each event
// keeps the movie busy a little): each event reaches its own form's movie
// once, each thread's in the order it posted them, whether the test pump or
// the toolkit's own loop runs the main thread.
TEST_F(AsyncRoad, BurstsFromSeveralThreadsArriveOnceAndInOrder)
{
    const struct {
        const char* name;
        bool (*runUntil)(const std::function<bool()>& done, int timeoutMs);
    } runners[] = {{"test pump", PumpEventsUntil}, {"toolkit loop", RunEventLoopUntil}};
    const int threadCount = 4;
    const int perThread = 500;
    for (const auto& runner : runners) {
        SCOPED_TRACE(runner.name);
        BusyForm forms[2] = {{0, std::chrono::microseconds(20)}, {1, std::chrono::microseconds(20)}};
        std::vector<std::thread> posters;
        for (int thread = 0; thread < threadCount; ++thread)
            posters.emplace_back([thread] {
                for (int number = 0; number < perThread; ++number)
                    PostAsyncEvent("{ }", wxString::Format("e%d", number), &CommandCentre::Get(), thread % 2,
                                   thread);
            });
        const size_t perForm = size_t(threadCount / 2 * perThread);
        const bool arrived = runner.runUntil(
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
