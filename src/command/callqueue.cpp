#include "callqueue.h"

void CallQueue::PushQueuedCall(const QueuedCall& call)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_calls.push_back(call);
}

bool CallQueue::PopQueuedCall(QueuedCall& call)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_calls.empty())
        return false;
    call = std::move(m_calls.front());
    m_calls.pop_front();
    return true;
}

void CallQueue::Clear()
{
    std::deque<QueuedCall> dropped;
    std::lock_guard<std::mutex> hold(m_lock);
    dropped.swap(m_calls);
}

size_t CallQueue::Size() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_calls.size();
}
