#include "messagepumping.h"

#include "waituntil.h"
#include "windowmessages.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/timer.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

namespace {

class TickCounter : public wxTimer {
public:
    void Notify() override { ++ticks; }
    int ticks = 0;
};

class CallbackTimer : public wxTimer {
public:
    explicit CallbackTimer(std::function<void()> tick) : m_tick(std::move(tick)) {}
    void Notify() override { m_tick(); }

private:
    std::function<void()> m_tick;
};

} // namespace

void PumpPendingMessages()
{
    DispatchWindowMessages();
    wxTheApp->ProcessPendingEvents();
    // The application's idle handlers, as the toolkit's loop runs them once
    // the queue is empty: work left for then (events a spent slice left).
    // Windows' idle time and pending deletions stay with the tests that ask
    // for them.
    wxIdleEvent idle;
    idle.SetEventObject(wxTheApp);
    wxTheApp->ProcessEvent(idle);
}

bool RunEventLoopUntil(const std::function<bool()>& done, int timeoutMs)
{
    if (done())
        return true;
    wxEventLoop loop;
    bool finished = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    CallbackTimer check([&] {
        finished = done();
        if (finished || std::chrono::steady_clock::now() >= deadline)
            loop.Exit();
    });
    check.Start(10);
    loop.Run();
    return finished;
}

bool PumpMessagesUntil(const std::function<bool()>& done, int timeoutMs)
{
    return WaitUntil(done, timeoutMs, PumpPendingMessages);
}

bool RunOnWorkerWhilePumping(const std::function<void()>& work, int timeoutMs)
{
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        work();
        finished = true;
    });
    const bool inTime = PumpMessagesUntil([&] { return finished.load(); }, timeoutMs);
    worker.join();
    return inTime;
}

bool PumpThroughTimerPeriods(int periodMs, int periods)
{
    TickCounter sentinel;
    sentinel.Start(periodMs, wxTIMER_CONTINUOUS);
    return PumpMessagesUntil([&] { return sentinel.ticks >= periods; }, 10000);
}
