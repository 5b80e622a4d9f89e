// The per-call debugger line reaches a debug-output monitor, also one started
// while the program runs. The monitor catches the lines of every process in
// the session, so this test runs alone.
#include "commandcalls.h"
#include "commandcentre.h"
#include "messagepumping.h"
#include "scopedcommandcentre.h"
#include "testmodule.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const DWORD kBufferSize = 4096;

// A monitor as the system's writer expects one: a shared buffer (the writer's
// process id, then its text), an event that says the buffer is free and one
// that says it holds a line.
class DebugMonitor {
public:
    DebugMonitor()
        : m_bufferReady(CreateEventW(nullptr, FALSE, TRUE, L"DBWIN_BUFFER_READY")),
          m_dataReady(CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY")),
          m_buffer(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBufferSize, L"DBWIN_BUFFER")),
          m_view(m_buffer ? static_cast<const char*>(MapViewOfFile(m_buffer, FILE_MAP_READ, 0, 0, kBufferSize)) : nullptr)
    {
    }

    ~DebugMonitor()
    {
        if (m_view)
            UnmapViewOfFile(m_view);
        for (HANDLE handle : {m_buffer, m_dataReady, m_bufferReady}) {
            if (handle)
                CloseHandle(handle);
        }
    }

    bool IsOpen() const { return m_bufferReady && m_dataReady && m_view; }

    // Takes the waiting line, if any, and frees the buffer for the next.
    // Answers the lines of this process received so far.
    const std::vector<std::string>& Lines()
    {
        while (WaitForSingleObject(m_dataReady, 0) == WAIT_OBJECT_0) {
            DWORD processId = 0;
            std::memcpy(&processId, m_view, sizeof processId);
            if (processId == GetCurrentProcessId())
                m_lines.emplace_back(Text());
            SetEvent(m_bufferReady);
        }
        return m_lines;
    }

private:
    std::string Text() const
    {
        const char* text = m_view + sizeof(DWORD);
        return std::string(text, strnlen(text, kBufferSize - sizeof(DWORD)));
    }

    HANDLE m_bufferReady;
    HANDLE m_dataReady;
    HANDLE m_buffer;
    const char* m_view;
    std::vector<std::string> m_lines;
};

TEST(DebugOutput, CallNamesReachAMonitorStartedWhileRunning)
{
    ScopedCommandCentre centre{{&TestModule()}};
    ASSERT_TRUE(centre.Initialised());
    const wxString script = MakeScriptText(false, 0, 0, MakeCommandText("nxa.Test.echo", "\"secret\""));
    // Without a monitor the line goes nowhere, and the answer is kept a while.
    CommandCentre::Get().OnCommand(0, script);

    DebugMonitor monitor;
    ASSERT_TRUE(monitor.IsOpen());
    // Within about a second the monitor is noticed and gets each call's name.
    EXPECT_TRUE(PumpMessagesUntil(
        [&] {
            CommandCentre::Get().OnCommand(0, script);
            return !monitor.Lines().empty();
        },
        10000));
    for (const std::string& line : monitor.Lines())
        EXPECT_EQ("nxa.Test.echo\n", line); // never the arguments
}

} // namespace
