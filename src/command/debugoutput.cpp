#include "debugoutput.h"

#include <windows.h>

#include <atomic>

namespace {

const ULONGLONG kMonitorRecheckMs = 1000;

// The tick count of the last check plus one (0: never checked) and its answer.
std::atomic<ULONGLONG> g_monitorCheckedAt{0};
std::atomic<bool> g_monitorRunning{false};

// A monitor shares its buffer under this name; the system writes to monitors
// only when it exists.
bool MonitorRunning()
{
    const ULONGLONG now = GetTickCount64() + 1;
    const ULONGLONG checkedAt = g_monitorCheckedAt.load();
    if (checkedAt == 0 || now - checkedAt >= kMonitorRecheckMs) {
        const HANDLE buffer = OpenFileMappingW(FILE_MAP_WRITE, FALSE, L"DBWIN_BUFFER");
        if (buffer)
            CloseHandle(buffer);
        g_monitorRunning.store(buffer != nullptr);
        g_monitorCheckedAt.store(now);
    }
    return g_monitorRunning.load();
}

} // namespace

void WriteDebugLine(const wxString& line)
{
    if (IsDebuggerPresent() || MonitorRunning())
        OutputDebugStringW((line + "\n").wc_str());
}
