#include "messagepumping.h"

#include <wx/app.h>
#include <wx/msw/wrapwin.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

namespace {

void PumpOnce()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    wxTheApp->ProcessPendingEvents();
}

} // namespace

bool PumpMessagesUntil(const std::function<bool()>& done, int timeoutMs)
{
    wxStopWatch watch;
    for (;;) {
        PumpOnce();
        if (done())
            return true;
        if (watch.Time() >= timeoutMs)
            return false;
        wxMilliSleep(2);
    }
}

void PumpMessagesFor(int milliseconds)
{
    PumpMessagesUntil([] { return false; }, milliseconds);
}
