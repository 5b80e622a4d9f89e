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
    AsyncEventQueue queue([&] { return wakes.Wake(); });
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
    AsyncEventQueue queue([&] { return wakes.Wake(); });
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
    AsyncEventQueue queue([&] { return wakes.Wake(); });
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
// goes on with the rest of the batch; nothing arrives twice or out of order.
TEST(AsyncEventQueue, NestedLoopGoesOnWithTheEventsBehind)
{
    WakeCounter wakes;
    AsyncEventQueue queue([&] { return wakes.Wake(); });
    for (int number = 0; number < 3; ++number)
        queue.Post(Event(0, number));
    ASSERT_TRUE(wakes.TakeWake());

    std::vector<int> delivered;
    size_t deliveredInDialog = 0;
    std::function<void(const AsyncEventData&)> deliver = [&](const AsyncEventData& event) {
        delivered.push_back(event.callerId);
        if (event.callerId != 0)
            return;
        // The dialog's loop runs the wake-ups that are outstanding.
        while (wakes.TakeWake(0))
            queue.DeliverBatch(deliver);
        deliveredInDialog = delivered.size();
    };
    queue.DeliverBatch(deliver);
    EXPECT_EQ((std::vector<int>{0, 1, 2}), delivered);
    EXPECT_EQ(3u, deliveredInDialog);
}

TEST(AsyncEventQueue, WakeUpThatCannotBeSentIsAskedForAgain)
{
    bool canWake = false;
    int asked = 0;
    AsyncEventQueue queue([&] {
        ++asked;
        return canWake;
    });
    queue.Post(Event(0, 0));
    canWake = true;
    queue.Post(Event(0, 1));
    queue.Post(Event(0, 2));
    EXPECT_EQ(2, asked);
    std::vector<int> delivered;
    queue.DeliverBatch([&](const AsyncEventData& event) { delivered.push_back(event.callerId); });
    EXPECT_EQ((std::vector<int>{0, 1, 2}), delivered);
}

TEST(AsyncEventQueue, ClearDropsWaitingEvents)
{
    WakeCounter wakes;
    AsyncEventQueue queue([&] { return wakes.Wake(); });
    queue.Post(Event(0, 0));
    queue.Clear();
    int delivered = 0;
    queue.DeliverBatch([&](const AsyncEventData&) { ++delivered; });
    EXPECT_EQ(0, delivered);
}

// Several threads post bursts while the consumer delivers a batch per
// wake-up: every event arrives once, each thread's in the order it posted, and
// no event is left waiting without a wake-up.
TEST(AsyncEventQueue, BurstsFromSeveralThreadsArriveOnceAndInOrder)
{
    const int threadCount = 4;
    const int perThread = 20000;
    WakeCounter wakes;
    AsyncEventQueue queue([&] { return wakes.Wake(); });
    std::vector<std::thread> posters;
    for (int thread = 0; thread < threadCount; ++thread)
        posters.emplace_back([&queue, thread] {
            for (int number = 0; number < perThread; ++number)
                queue.Post(Event(thread, number));
        });

    std::vector<int> next(threadCount, 0);
    int delivered = 0;
    bool inOrder = true;
    while (delivered < threadCount * perThread && wakes.TakeWake()) {
        queue.DeliverBatch([&](const AsyncEventData& event) {
            inOrder = inOrder && event.callerId == next[size_t(event.formId)];
            next[size_t(event.formId)] = event.callerId + 1;
            ++delivered;
        });
    }
    for (std::thread& poster : posters)
        poster.join();
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(threadCount * perThread, delivered);
    EXPECT_LT(wakes.Total(), threadCount * perThread);
}

} // namespace
