#include "asynceventqueue.h"

#include <utility>

AsyncEventQueue::AsyncEventQueue(std::function<bool()> wake) : m_wake(std::move(wake)) {}

void AsyncEventQueue::Post(AsyncEventData event)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_posted.push_back(std::move(event));
    }
    // After the push: a batch that starts from here on either takes the event
    // or was preceded by clearing the flag, so this asks for a wake-up.
    RequestWake();
}

void AsyncEventQueue::RequestWake()
{
    if (!m_wakeRequested.exchange(true) && !m_wake())
        m_wakeRequested.store(false);
}

void AsyncEventQueue::DeliverBatch(const std::function<void(const AsyncEventData&)>& deliver)
{
    // Cleared before the events are taken: an event posted after the take
    // finds the flag clear and asks for the next wake-up itself.
    m_wakeRequested.store(false);
    {
        std::lock_guard<std::mutex> hold(m_lock);
        // Behind whatever an outer batch, interrupted by a nested event loop,
        // has not delivered yet.
        if (m_batch.empty()) {
            m_batch.swap(m_posted);
        } else {
            for (AsyncEventData& event : m_posted)
                m_batch.push_back(std::move(event));
            m_posted.clear();
        }
    }
    while (!m_batch.empty()) {
        // Out of the list before delivery, so that a nested batch neither sees
        // it again nor invalidates it.
        const AsyncEventData event = std::move(m_batch.front());
        m_batch.pop_front();
        // A nested event loop inside the delivery needs a wake-up to go on
        // with the rest of the batch.
        if (!m_batch.empty())
            RequestWake();
        deliver(event);
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
