#include "mainthread.h"

#include <wx/app.h>
#include <wx/thread.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>

namespace {

// One piece of work handed to the main thread. It is shared by the waiting
// thread and the queued closure, so either may go first without dangling.
struct MainThreadRequest {
    std::function<void()> work;
    bool started = false;
    bool finished = false;
    bool cancelled = false;
};

std::mutex g_lock;
std::condition_variable g_changed;
std::set<std::shared_ptr<MainThreadRequest>> g_waiting;
// Changed under the lock; read without it by IsShuttingDown, so that a worker
// cut off while it held the lock cannot stop later readers.
std::atomic<bool> g_refusing{false};

void RunRequest(const std::shared_ptr<MainThreadRequest>& request)
{
    {
        std::lock_guard<std::mutex> hold(g_lock);
        if (request->cancelled)
            return;
        request->started = true;
    }
    request->work();
    std::lock_guard<std::mutex> hold(g_lock);
    request->finished = true;
    g_changed.notify_all();
}

} // namespace

bool RunOnMainThread(const std::function<void()>& work)
{
    if (wxThread::IsMain()) {
        work();
        return true;
    }
    auto request = std::make_shared<MainThreadRequest>();
    request->work = work;
    {
        std::lock_guard<std::mutex> hold(g_lock);
        if (g_refusing || !wxTheApp)
            return false;
        g_waiting.insert(request);
    }
    wxTheApp->CallAfter([request] { RunRequest(request); });

    std::unique_lock<std::mutex> hold(g_lock);
    g_changed.wait(hold, [&] { return request->finished || request->cancelled; });
    g_waiting.erase(request);
    return request->finished;
}

void CancelMainThreadWork()
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_refusing = true;
    // Work that already started runs on this very thread and has finished.
    for (const auto& request : g_waiting) {
        if (!request->started)
            request->cancelled = true;
    }
    g_changed.notify_all();
}

void AllowMainThreadWork()
{
    std::lock_guard<std::mutex> hold(g_lock);
    g_refusing = false;
}

bool IsShuttingDown()
{
    return g_refusing.load();
}
