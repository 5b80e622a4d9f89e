#include "asynceventqueue.h"

#include <utility>

namespace {

// Counts a delivery as running for as long as it runs, also when it throws.
class RunningDelivery {
public:
    explicit RunningDelivery(int& running) : m_running(running) { ++m_running; }
    ~RunningDelivery() { --m_running; }
    RunningDelivery(const RunningDelivery&) = delete;
    RunningDelivery& operator=(const RunningDelivery&) = delete;

private:
    int& m_running;
};

} // namespace

AsyncEventQueue::AsyncEventQueue(std::function<bool()> wake, std::chrono::nanoseconds slice)
    : m_wake(std::move(wake)), m_slice(std::chrono::duration_cast<Clock::duration>(slice))
{
}

void AsyncEventQueue::Post(AsyncEventData event)
{
    bool wake = false;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_posted.push_back(std::move(event));
        wake = !m_mainThreadDue;
        m_mainThreadDue = true;
    }
    if (wake && !m_wake()) {
        // Left queued: the next post asks again.
        std::lock_guard<std::mutex> hold(m_lock);
        m_mainThreadDue = false;
    }
}

void AsyncEventQueue::ReleaseMainThread()
{
    m_mainThreadDue = false;
    m_sliceOpen = false;
}

bool AsyncEventQueue::TakePosted()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_posted.empty()) {
        ReleaseMainThread();
        return false;
    }
    m_batch.swap(m_posted);
    return true;
}

bool AsyncEventQueue::DeliverBatch(const Deliver& deliver)
{
    m_loopWakeAsked = false;
    if (m_resumeDue && m_deliveriesRunning == 0)
        return true;
    return DeliverSlice(deliver);
}

bool AsyncEventQueue::Resume(const Deliver& deliver)
{
    m_resumeDue = false;
    m_sliceOpen = false;
    return DeliverSlice(deliver);
}

bool AsyncEventQueue::DeliverSlice(const Deliver& deliver)
{
    if (m_batch.empty() && !TakePosted())
        return false;
    if (!m_sliceOpen) {
        m_sliceOpen = true;
        m_sliceEnd = Clock::now() + m_slice;
        m_sliceDeliveries = 0;
    }
    while (!m_batch.empty()) {
        if (SliceSpent()) {
            m_resumeDue = true;
            return true;
        }
        // Out of the list before delivery, so that a nested batch neither sees
        // it again nor invalidates it.
        const AsyncEventData event = std::move(m_batch.front());
        m_batch.pop_front();
        // With events behind, posts made meanwhile ask for no wake-up, so a
        // nested event loop inside the delivery gets one of its own to go on
        // with them.
        if (m_batch.empty())
            EndBatch();
        else if (!m_loopWakeAsked)
            m_loopWakeAsked = m_wake();
        ++m_sliceDeliveries;
        const RunningDelivery running(m_deliveriesRunning);
        deliver(event);
    }
    return false;
}

bool AsyncEventQueue::SliceSpent() const
{
    return m_deliveriesRunning == 0 && m_sliceDeliveries > 0 && Clock::now() >= m_sliceEnd;
}

void AsyncEventQueue::EndBatch()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_posted.empty()) {
            // A lone event costs no extra wake-up: posts from here on wake
            // the main thread themselves.
            ReleaseMainThread();
            return;
        }
    }
    if (m_loopWakeAsked)
        return;
    m_loopWakeAsked = m_wake();
    if (!m_loopWakeAsked) {
        std::lock_guard<std::mutex> hold(m_lock);
        ReleaseMainThread();
    }
}

void AsyncEventQueue::Clear()
{
    std::deque<AsyncEventData> dropped;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        dropped.swap(m_posted);
        // With nothing left to wake it for, the next post wakes the main
        // thread again.
        ReleaseMainThread();
    }
    m_batch.clear();
    m_resumeDue = false;
}
