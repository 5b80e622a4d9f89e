#include "transcript.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace player {

namespace {

// One lock and file for the whole module, set up when the library attaches.
struct TranscriptState {
    TranscriptState() { InitializeCriticalSection(&lock); }
    ~TranscriptState()
    {
        if (file)
            fclose(file);
        DeleteCriticalSection(&lock);
    }
    CRITICAL_SECTION lock;
    FILE* file = nullptr;
    DWORD mainThread = 0;
};

TranscriptState g_state;

FILE* OpenFromEnvironment()
{
    wchar_t path[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableW(L"KOVA_PLAYER_TRANSCRIPT", path, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2)
        return nullptr;
    return _wfopen(path, L"ab");
}

// Keeps a record on one line.
std::string OneLine(const std::string& text)
{
    std::string line;
    for (char c : text) {
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else
            line += c;
    }
    return line;
}

} // namespace

void Transcript::SetMainThread()
{
    EnterCriticalSection(&g_state.lock);
    g_state.mainThread = GetCurrentThreadId();
    LeaveCriticalSection(&g_state.lock);
}

void Transcript::Write(int instance, const std::string& text)
{
    EnterCriticalSection(&g_state.lock);
    if (g_state.mainThread == 0)
        g_state.mainThread = GetCurrentThreadId();
    if (!g_state.file)
        g_state.file = OpenFromEnvironment();
    if (g_state.file) {
        std::string line = GetCurrentThreadId() == g_state.mainThread ? "main #" : "other #";
        line += instance > 0 ? std::to_string(instance) : "-";
        line += " " + OneLine(text) + "\n";
        fwrite(line.data(), 1, line.size(), g_state.file);
        fflush(g_state.file);
    }
    LeaveCriticalSection(&g_state.lock);
}

void Transcript::Close()
{
    EnterCriticalSection(&g_state.lock);
    if (g_state.file)
        fclose(g_state.file);
    g_state.file = nullptr;
    LeaveCriticalSection(&g_state.lock);
}

} // namespace player
