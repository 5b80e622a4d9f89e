#pragma once

#include <functional>

// Runs the main thread's window messages (toolkit timers arrive as WM_TIMER)
// and the toolkit's pending events, at least once, until the condition holds
// or the time is up; answers the condition.
bool PumpMessagesUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// Runs the main thread's messages and events for the whole time.
void PumpMessagesFor(int milliseconds);
