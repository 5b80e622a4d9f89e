#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

// One event on its way into a movie.
struct AsyncEventData {
    int32_t formId = 0;
    int32_t callerId = 0;
    std::wstring eventName;
    std::wstring payload; // JSON text
};

// The events posted for the movies, from any thread, waiting for the main
// thread. Waking the main thread costs far more than queueing an event, so a
// wake-up is asked for only when none is outstanding: a burst of events
// travels on one wake-up and the main thread delivers it as one batch.
//
// Every event is delivered once, in the order posted (one order for all
// posting threads). The lock is held only while the list changes, never while
// an event is delivered.
class AsyncEventQueue {
public:
    // wake: asks the main thread to call DeliverBatch once, soon; false when it
    // cannot (no event loop to wake yet), and the next post asks again. Called
    // on the posting thread (or the main thread), never under the queue's lock.
    explicit AsyncEventQueue(std::function<bool()> wake);

    // Any thread.
    void Post(AsyncEventData event);

    // Main thread, once per wake-up: delivers the events posted so far, first
    // in, first out. Events posted meanwhile go with the next wake-up, which
    // is asked for already. A delivery that runs a nested event loop (a modal
    // dialog) lets that loop go on with the events behind it, as when every
    // event was a toolkit event of its own.
    void DeliverBatch(const std::function<void(const AsyncEventData&)>& deliver);

    // Drops every event not yet delivered. Main thread.
    void Clear();

private:
    void RequestWake();

    std::function<bool()> m_wake;
    // True from the moment a wake-up is asked for until its DeliverBatch
    // starts: no further wake-up is needed while it holds.
    std::atomic<bool> m_wakeRequested{false};
    std::mutex m_lock;
    std::deque<AsyncEventData> m_posted; // guarded by m_lock
    std::deque<AsyncEventData> m_batch;  // main thread only
};
