#pragma once

#include <functional>

// Checks the condition every few milliseconds until it holds or the time is
// up; answers the condition. The step, when given, runs before each check
// (a message pump, a delivery of queued work).
bool WaitUntil(const std::function<bool()>& done, int timeoutMs, const std::function<void()>& step = nullptr,
               int pollMs = 2);
