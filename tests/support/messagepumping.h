#pragma once

#include <functional>

// The one message pump of the toolkit tests.

// Dispatches the window messages waiting in the main thread's queue (toolkit
// timers arrive as WM_TIMER), then the toolkit's pending events (asynchronous
// calls, events, work handed to the main thread), then sends the application
// its idle event. Deterministic: what this thread posted to itself before the
// call has run when it returns.
void PumpPendingMessages();

// Runs the toolkit's own event loop, as the runtime does, until the condition
// holds (asked every 10 ms) or the time is up; answers the condition.
bool RunEventLoopUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Pumps, at least once, until the condition holds or the time is up; answers
// the condition.
bool PumpMessagesUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Runs the work on a thread of its own while the main thread pumps, so work
// that the worker hands to the main thread gets done. Answers whether the work
// finished in time; the thread is joined either way.
bool RunOnWorkerWhilePumping(const std::function<void()>& work, int timeoutMs = 10000);

// Pumps until a sentinel timer of the test's own, started now with the
// period, has ticked that many times; false when it has not in 10 seconds.
// A test that checks that something did NOT happen (a stopped timer fires no
// more, no second report comes) first pumps through a few periods of the
// machinery it watches: whatever would show the fault has then had its
// chance, on a loaded machine as on an idle one.
bool PumpThroughTimerPeriods(int periodMs, int periods = 3);
