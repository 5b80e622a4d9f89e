// A shut-down stuck on a lock that a cut-off thread held: a thread takes the
// lock and is terminated, the watchdog is armed, then the main thread waits
// for the lock for ever. The watchdog must end the process with exit code 7.
#include "exitwatchdog.h"

#include <windows.h>

#include <mutex>

namespace {

std::mutex g_lock;
HANDLE g_locked = nullptr;

DWORD WINAPI HoldLock(LPVOID)
{
    g_lock.lock();
    SetEvent(g_locked);
    Sleep(INFINITE);
    return 0;
}

} // namespace

int main()
{
    g_locked = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE holder = CreateThread(nullptr, 0, HoldLock, nullptr, 0, nullptr);
    if (!holder || WaitForSingleObject(g_locked, 10000) != WAIT_OBJECT_0)
        return 1;
    ExitWatchdog::Arm(300, 7);
    TerminateThread(holder, 1);
    g_lock.lock();
    return 2;
}
