#include "asynceventqueue.h"

#include <utility>

AsyncEventQueue::AsyncEventQueue(std::function<bool()> wake) : m_wake(std::move(wake)) {}

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

bool AsyncEventQueue::TakePosted()
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_posted.empty()) {
        // From here on a post wakes the main thread again.
        m_mainThreadDue = false;
        return false;
    }
    m_batch.swap(m_posted);
    return true;
}

void AsyncEventQueue::DeliverBatch(const std::function<void(const AsyncEventData&)>& deliver)
{
    m_loopWakeAsked = false;
    if (m_batch.empty() && !TakePosted())
        return;
    while (!m_batch.empty()) {
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
        deliver(event);
    }
}

void AsyncEventQueue::EndBatch()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_posted.empty()) {
            // A lone event costs no extra wake-up: posts from here on wake
            // the main thread themselves.
            m_mainThreadDue = false;
            return;
        }
    }
    if (m_loopWakeAsked)
        return;
    m_loopWakeAsked = m_wake();
    if (!m_loopWakeAsked) {
        std::lock_guard<std::mutex> hold(m_lock);
        m_mainThreadDue = false;
    }
}

void AsyncEventQueue::Clear()
{
    std::deque<AsyncEventData> dropped;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        dropped.swap(m_posted);
    }
    m_batch.clear();
}
