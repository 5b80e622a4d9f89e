#pragma once

#include "asyncevent.h"

#include <mutex>
#include <vector>

// Catches every event posted through PostAsyncEvent while it lives, from any
// thread, instead of letting it travel to the command centre.
class EventCapture {
public:
    EventCapture();
    ~EventCapture();
    EventCapture(const EventCapture&) = delete;
    EventCapture& operator=(const EventCapture&) = delete;

    std::vector<AsyncEventData> Events() const;
    // Waits (pumping the main thread's events) until at least count events came.
    bool WaitFor(size_t count, int timeoutMs = 5000) const;

private:
    mutable std::mutex m_lock;
    std::vector<AsyncEventData> m_events;
};
