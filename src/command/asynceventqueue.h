#pragma once

#include <chrono>
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
//
// The main thread delivers in slices of bounded time, so that a flood of
// events does not hold off its window messages (painting, input, timers): a
// slice that is spent with events left ends, and the main thread resumes the
// events once the window messages waiting have been handled.
class AsyncEventQueue {
public:
    using Deliver = std::function<void(const AsyncEventData&)>;

    // wake: asks the main thread to call DeliverBatch once, soon; false when it
    // cannot (no event loop to wake yet). Called on the posting thread or the
    // main thread, never under the queue's lock.
    // slice: how long the main thread delivers before it turns to its window
    // messages again; each slice delivers at least one event.
    AsyncEventQueue(std::function<bool()> wake, std::chrono::nanoseconds slice);

    // Any thread.
    void Post(AsyncEventData event);

    // Main thread, on a wake-up: delivers the events posted so far, first in,
    // first out. Events posted meanwhile wait for the next wake-up, which the
    // batch asks for, so that a steady stream never holds one batch open.
    // The toolkit runs that wake-up in the same pass over its pending events,
    // so one slice spans the batches delivered back to back.
    //
    // Answers true when the slice is spent with events left: the caller calls
    // Resume once the window messages waiting have been handled. Until then a
    // wake-up delivers nothing, except inside a delivery: a delivery that
    // runs a nested event loop (a modal dialog) lets that loop go on with the
    // events behind it, as when every event was a toolkit event of its own.
    // A native dialog's loop has no idle time to resume from, so deliveries
    // inside a delivery are not sliced.
    bool DeliverBatch(const Deliver& deliver);

    // Main thread, when DeliverBatch or Resume answered true and the window
    // messages waiting have been handled: goes on with a new slice. Answers
    // as DeliverBatch does.
    bool Resume(const Deliver& deliver);

    // Drops every event not yet delivered and any resumption due. Main thread.
    void Clear();

private:
    using Clock = std::chrono::steady_clock;

    bool DeliverSlice(const Deliver& deliver);
    // The slice has delivered its share; never inside a delivery.
    bool SliceSpent() const;
    // Moves the posted events into the batch; false, and the main thread no
    // longer due, when there are none.
    bool TakePosted();
    // Before the batch's last delivery: leaves the next post to wake the main
    // thread when nothing is waiting, else asks for the next batch's wake-up.
    void EndBatch();
    // The main thread is no longer due: the next post wakes it, and the
    // deliveries after that start a new slice. Main thread, under m_lock.
    void ReleaseMainThread();

    std::function<bool()> m_wake;
    const Clock::duration m_slice;
    std::mutex m_lock;
    std::deque<AsyncEventData> m_posted; // guarded by m_lock
    // Guarded by m_lock: a wake-up is on its way, a batch is being delivered
    // or a resumption is due, so a post needs no wake-up of its own.
    bool m_mainThreadDue = false;
    // Main thread only from here on.
    std::deque<AsyncEventData> m_batch;
    bool m_loopWakeAsked = false;
    bool m_sliceOpen = false;
    Clock::time_point m_sliceEnd;
    int m_sliceDeliveries = 0;
    bool m_resumeDue = false;
    int m_deliveriesRunning = 0; // more than one inside nested event loops
};
