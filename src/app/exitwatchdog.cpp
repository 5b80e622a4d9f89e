#include "exitwatchdog.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<bool> g_armed{false};
// Written before the thread starts, read by it only.
DWORD g_milliseconds = 0;
UINT g_exitCode = 0;

DWORD WINAPI EndProcessLater(LPVOID)
{
    ::Sleep(g_milliseconds);
    ::TerminateProcess(::GetCurrentProcess(), g_exitCode);
    return 0;
}

} // namespace

void ExitWatchdog::Arm(unsigned long milliseconds, int exitCode)
{
    if (g_armed.exchange(true))
        return;
    g_milliseconds = milliseconds;
    g_exitCode = static_cast<UINT>(exitCode);
    // The system's thread call, not the C runtime's: the watchdog needs no
    // runtime state, and so no lock of the runtime's either.
    const HANDLE thread = ::CreateThread(nullptr, 0, EndProcessLater, nullptr, 0, nullptr);
    if (thread)
        ::CloseHandle(thread);
}
