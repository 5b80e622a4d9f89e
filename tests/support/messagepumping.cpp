#include "messagepumping.h"

#include "waituntil.h"
#include "windowmessages.h"

#include <wx/app.h>
#include <wx/timer.h>

#include <atomic>
#include <thread>

namespace {

class TickCounter : public wxTimer {
public:
    void Notify() override { ++ticks; }
    int ticks = 0;
};

} // namespace

void PumpPendingMessages()
{
    DispatchWindowMessages();
    wxTheApp->ProcessPendingEvents();
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
