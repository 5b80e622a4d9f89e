#include "asynceventqueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

// A slice that no batch here spends.
const auto kWholeBatch = std::chrono::hours(1);
// A slice spent by its first delivery: one event per slice.
const auto kOneEvent = std::chrono::nanoseconds(0);

AsyncEventData Event(int32_t formId, int number)
{
    AsyncEventData event;
    event.formId = formId;
    event.callerId = number;
    event.eventName = L"onEvent";
    event.payload = std::to_wstring(number);
    return event;
}

// Stands in for the main thread's event loop: counts the wake-ups asked for
// and delivers one batch per wake-up.
class WakeCounter {
public:
    bool Wake()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        ++m_pending;
        ++m_total;
        m_woken.notify_one();
        return true;
    }

    // Takes one outstanding wake-up; false when none came within the time.
    bool TakeWake(int timeoutMs = 5000)
    {
        std::unique_lock<std::mutex> hold(m_lock);
        if (!m_woken.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] { return m_pending > 0; }))
            return false;
        --m_pending;
        return true;
    }

    int Total() const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_total;
    }

private:
    mutable std::mutex m_lock;
    std::condition_variable m_woken;
    int m_pending = 0;
    int m_total = 0;
};

TEST(AsyncEventQueue, BurstTravelsOnOneWakeUpAndArrivesInOrder)
{
    WakeCounter wakes;
    AsyncEventQueue queue([&] { return wakes.Wake(); }, kWholeBatch);
    for (int number = 0; number < 100; ++number)
        queue.Post(Event(0, number));
    EXPECT_EQ(1, wakes.Total());

    std::vector<int> delivered;
    queue.DeliverBatch([&](const AsyncEventData& event) { delivered.push_back(event.callerId); });
    ASSERT_EQ(100u, delivered.size());
    for (int number = 0; number < 100; ++number)
        EXPECT_EQ(number, delivered[size_t(number)]);

    // A later event finds a wake-up outstanding (asked for by the batch or by
    // itself) and arrives with it.
    queue.Post(Event(0, 100));
    ASSERT_TRUE(wakes.TakeWake(0));
    delivered.clear();
    queue.DeliverBatch([&](const AsyncEventData& event) { delivered.push_back(event.callerId); });
    EXPECT_EQ(std::vector<int>{100}, delivered);
}

// While the main thread delivers a batch, posts wake it no further: they
// wait for the wake-up the batch asks for, and arrive with the next batch.
// Once it has found the queue empty, the next post wakes it.
TEST(AsyncEventQueue, PostsDuringDeliveryArriveWithTheNextBatch)
{
    WakeCounter wakes;
    AsyncEventQueue queue([&] { return wakes.Wake(); }, kWholeBatch);
    queue.Post(Event(0, 0));
    queue.Post(Event(0, 1));
    ASSERT_TRUE(wakes.TakeWake());

    std::vector<int> delivered;
    const auto record = [&](const AsyncEventData& event) {
        delivered.push_back(event.callerId);
        if (event.callerId == 0)
            queue.Post(Event(0, 2));
    };
    queue.DeliverBatch(record);
    EXPECT_EQ((std::vector<int>{0, 1}), delivered);
    ASSERT_TRUE(wakes.TakeWake(0));
    queue.DeliverBatch(record);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), delivered);
    // The first wake-up and the one the batch asked for.
    EXPECT_EQ(2, wakes.Total());

    queue.Post(Event(0, 3));
    EXPECT_EQ(3, wakes.Total());
}

// Deliveries that keep posting (a steady stream) still end each batch, so
// the message loop runs between batches; each new batch has its wake-up.
TEST(AsyncEventQueue, SteadyStreamStillEndsEachBatch)
{
    WakeCounter wakes;
    AsyncEventQueue queue([&] { return wakes.Wake(); }, kWholeBatch);
    queue.Post(Event(0, 0));
    std::vector<int> delivered;
    const auto repost = [&](const AsyncEventData& event) {
        delivered.push_back(event.callerId);
        queue.Post(Event(0, event.callerId + 1));
    };
    for (int batch = 1; batch <= 3; ++batch) {
        ASSERT_TRUE(wakes.TakeWake(0));
        queue.DeliverBatch(repost);
        EXPECT_EQ(size_t(batch), delivered.size());
    }
    EXPECT_EQ((std::vector<int>{0, 1, 2}), delivered);
}

// A delivery that runs a nested event loop (a modal dialog): the nested loop
// goes on with the rest of the batch, however short the slice; nothing
// arrives twice or out of order.
TEST(AsyncEventQueue, NestedLoopGoesOnWithTheEventsBehind)
{
    for (const std::chrono::nanoseconds slice : {std::chrono::nanoseconds(kWholeBatch), kOneEvent}) {
        SCOPED_TRACE(slice.count());
        WakeCounter wakes;
        AsyncEventQueue queue([&] { return wakes.Wake(); }, slice);
        for (int number = 0; number < 3; ++number)
            queue.Post(Event(0, number));
        ASSERT_TRUE(wakes.TakeWake());

        std::vector<int> delivered;
        size_t deliveredInDialog = 0;
        AsyncEventQueue::Deliver deliver = [&](const AsyncEventData& event) {
            delivered.push_back(event.callerId);
            if (event.callerId != 0)
                return;
            // The dialog's loop runs the wake-ups that are outstanding.
            while (wakes.TakeWake(0))
                queue.DeliverBatch(deliver);
            deliveredInDialog = delivered.size();
        };
        EXPECT_FALSE(queue.DeliverBatch(deliver));
        EXPECT_EQ((std::vector<int>{0, 1, 2}), delivered);
        EXPECT_EQ(3u, deliveredInDialog);
    }
}

// A spent slice ends with events left: wake-ups deliver nothing until the
// main thread resumes, each resumption is a slice of its own, and the events
// keep their order. Once the queue is empty, a post wakes the main thread.
TEST(AsyncEventQueue, SpentSliceWaitsForResume)
{
    WakeCounter wakes;
    AsyncEventQueue queue([&] { return wakes.Wake(); }, kOneEvent);
    for (int number = 0; number < 3; ++number)
        queue.Post(Event(0, number));
    ASSERT_TRUE(wakes.TakeWake());
    std::vector<int> delivered;
    const auto record = [&](const AsyncEventData& event) { delivered.push_back(event.callerId); };

    EXPECT_TRUE(queue.DeliverBatch(record));
    EXPECT_EQ(std::vector<int>{0}, delivered);
    // The wake-up asked for a nested loop comes in the same pass.
    ASSERT_TRUE(wakes.TakeWake(0));
    EXPECT_TRUE(queue.DeliverBatch(record));
    EXPECT_EQ(std::vector<int>{0}, delivered);
    EXPECT_TRUE(queue.Resume(record));
    EXPECT_EQ((std::vector<int>{0, 1}), delivered);
    EXPECT_FALSE(queue.Resume(record));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), delivered);
    while (wakes.TakeWake(0))
        EXPECT_FALSE(queue.DeliverBatch(record));

    const int wakesBefore = wakes.Total();
    queue.Post(Event(0, 3));
    EXPECT_EQ(wakesBefore + 1, wakes.Total());
}

// The slice spans the batches delivered back to back (the next batch's
// wake-up comes in the same pass), so a stream that keeps the queue busy
// still gives way; a slice that is not spent goes on into the next batch.
TEST(AsyncEventQueue, SliceSpansBatchesDeliveredBackToBack)
{
    const auto slice = std::chrono::milliseconds(200);
    WakeCounter wakes;
    AsyncEventQueue queue([&] { return wakes.Wake(); }, slice);
    queue.Post(Event(0, 0));
    queue.Post(Event(0, 1));
    ASSERT_TRUE(wakes.TakeWake());
    std::vector<int> delivered;
    std::chrono::steady_clock::time_point sliceOpened;
    const auto record = [&](const AsyncEventData& event) {
        delivered.push_back(event.callerId);
        if (event.callerId == 0) {
            sliceOpened = std::chrono::steady_clock::now();
            queue.Post(Event(0, 2));
        }
        // The batch's last delivery outlasts the slice.
        if (event.callerId == 1)
            while (std::chrono::steady_clock::now() <= sliceOpened + slice)
                std::this_thread::yield();
    };
    EXPECT_FALSE(queue.DeliverBatch(record));
    EXPECT_EQ((std::vector<int>{0, 1}), delivered);

    ASSERT_TRUE(wakes.TakeWake(0));
    EXPECT_TRUE(queue.DeliverBatch(record));
    EXPECT_EQ((std::vector<int>{0, 1}), delivered);
    EXPECT_FALSE(queue.Resume(record));
    EXPECT_EQ((std::vector<int>{0, 1, 2}), delivered);
}

TEST(AsyncEventQueue, WakeUpThatCannotBeSentIsAskedForAgain)
{
    bool canWake = false;
    int asked = 0;
    AsyncEventQueue queue(
        [&] {
            ++asked;
            return canWake;
        },
        kWholeBatch);
    queue.Post(Event(0, 0));
    canWake = true;
    queue.Post(Event(0, 1));
    queue.Post(Event(0, 2));
    EXPECT_EQ(2, asked);
    std::vector<int> delivered;
    queue.DeliverBatch([&](const AsyncEventData& event) { delivered.push_back(event.callerId); });
    EXPECT_EQ((std::vector<int>{0, 1, 2}), delivered);
}

// Clear drops the waiting events and a resumption that was due: the next
// post wakes the main thread and is delivered on that wake-up.
TEST(AsyncEventQueue, ClearDropsWaitingEvents)
{
    WakeCounter wakes;
    AsyncEventQueue queue([&] { return wakes.Wake(); }, kOneEvent);
    queue.Post(Event(0, 0));
    queue.Post(Event(0, 1));
    queue.Post(Event(0, 2));
    ASSERT_TRUE(wakes.TakeWake());
    std::vector<int> delivered;
    const auto record = [&](const AsyncEventData& event) { delivered.push_back(event.callerId); };
    ASSERT_TRUE(queue.DeliverBatch(record));
    queue.Post(Event(0, 3));
    queue.Clear();

    const int wakesBefore = wakes.Total();
    queue.Post(Event(0, 4));
    EXPECT_EQ(wakesBefore + 1, wakes.Total());
    while (wakes.TakeWake(0))
        queue.DeliverBatch(record);
    EXPECT_EQ((std::vector<int>{0, 4}), delivered);
}

// Several threads post bursts while the consumer runs as the main thread's
// loop does: the wake-ups that are outstanding, then, with a slice spent, a
// resumption; it waits for a wake-up when there is nothing to do. Every event
// arrives once, each thread's in the order it posted, and no event is left
// waiting without a wake-up or a resumption.
TEST(AsyncEventQueue, BurstsFromSeveralThreadsArriveOnceAndInOrder)
{
    for (const std::chrono::nanoseconds slice :
         {std::chrono::nanoseconds(kWholeBatch), std::chrono::nanoseconds(std::chrono::microseconds(50))}) {
        SCOPED_TRACE(slice.count());
        const int threadCount = 4;
        const int perThread = 20000;
        WakeCounter wakes;
        AsyncEventQueue queue([&] { return wakes.Wake(); }, slice);
        std::vector<std::thread> posters;
        for (int thread = 0; thread < threadCount; ++thread)
            posters.emplace_back([&queue, thread] {
                for (int number = 0; number < perThread; ++number)
                    queue.Post(Event(thread, number));
            });

        std::vector<int> next(threadCount, 0);
        int delivered = 0;
        bool inOrder = true;
        const auto record = [&](const AsyncEventData& event) {
            inOrder = inOrder && event.callerId == next[size_t(event.formId)];
            next[size_t(event.formId)] = event.callerId + 1;
            ++delivered;
        };
        bool resumeDue = false;
        while (delivered < threadCount * perThread) {
            if (wakes.TakeWake(resumeDue ? 0 : 5000))
                resumeDue = queue.DeliverBatch(record);
            else if (resumeDue)
                resumeDue = queue.Resume(record);
            else
                break;
        }
        for (std::thread& poster : posters)
            poster.join();
        EXPECT_TRUE(inOrder);
        EXPECT_EQ(threadCount * perThread, delivered);
        if (slice == kWholeBatch) {
            EXPECT_LT(wakes.Total(), threadCount * perThread);
        }
    }
}

} // namespace
