#pragma once

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
// post wakes it only when it is not already due: from a wake-up until the
// main thread has delivered its batch, posts need no wake-up of their own.
//
// Every event is delivered once, in the order posted (one order for all
// posting threads). The lock is held only while the list changes, never while
// an event is delivered.
class AsyncEventQueue {
public:
    // wake: asks the main thread to call DeliverBatch once, soon; false when it
    // cannot (no event loop to wake yet). Called on the posting thread or the
    // main thread, never under the queue's lock.
    explicit AsyncEventQueue(std::function<bool()> wake);

    // Any thread.
    void Post(AsyncEventData event);

    // Main thread, on a wake-up: delivers the events posted so far, first in,
    // first out. Events posted meanwhile wait for the next wake-up, which the
    // batch asks for, so that a steady stream never holds one batch open.
    // The toolkit runs that wake-up in the same pass over its pending events,
    // though, so a long backlog is delivered before windows' own messages are
    // read again. A delivery that runs a nested event loop (a modal dialog)
    // lets that loop go on with the events behind it, as when every event was
    // a toolkit event of its own.
    void DeliverBatch(const std::function<void(const AsyncEventData&)>& deliver);

    // Drops every event not yet delivered. Main thread.
    void Clear();

private:
    // Moves the posted events into the batch; false, and the main thread no
    // longer due, when there are none.
    bool TakePosted();
    // Before the batch's last delivery: leaves the next post to wake the main
    // thread when nothing is waiting, else asks for the next batch's wake-up.
    void EndBatch();

    std::function<bool()> m_wake;
    std::mutex m_lock;
    std::deque<AsyncEventData> m_posted; // guarded by m_lock
    // Guarded by m_lock: a wake-up is on its way or a batch is being
    // delivered, so a post needs no wake-up of its own.
    bool m_mainThreadDue = false;
    std::deque<AsyncEventData> m_batch; // main thread only
    bool m_loopWakeAsked = false;       // main thread only
};
