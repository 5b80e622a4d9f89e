#include "streambacklog.h"

#include <utility>

StreamBacklog::StreamBacklog(size_t limit, size_t wakeBytes, std::function<void()> wake)
    : m_limit(limit), m_wakeBytes(wakeBytes), m_wake(std::move(wake))
{
}

void StreamBacklog::Describe(const Description& description)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_description = description;
}

void StreamBacklog::Append(const char* data, size_t size)
{
    std::unique_lock<std::mutex> lock(m_lock);
    if (m_held >= m_limit && !m_closed) {
        // The reader must know of what is held, or nobody frees room.
        if (ClaimWake(1)) {
            lock.unlock();
            m_wake();
            lock.lock();
        }
        m_room.wait(lock, [this] { return m_held < m_limit || m_closed; });
    }
    if (m_closed || size == 0)
        return;
    m_gathered.insert(m_gathered.end(), data, data + size);
    m_held += size;
    const bool wake = ClaimWake(m_wakeBytes);
    lock.unlock();
    if (wake)
        m_wake();
}

void StreamBacklog::Flush()
{
    std::unique_lock<std::mutex> lock(m_lock);
    const bool wake = ClaimWake(1);
    lock.unlock();
    if (wake)
        m_wake();
}

void StreamBacklog::Take(std::vector<char>& block)
{
    block.clear();
    std::lock_guard<std::mutex> lock(m_lock);
    block.swap(m_gathered);
    m_wakePending = false;
}

void StreamBacklog::Release(size_t size)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const bool wasFull = m_held >= m_limit;
    m_held -= size < m_held ? size : m_held;
    if (wasFull && m_held < m_limit)
        m_room.notify_all();
}

StreamBacklog::Description StreamBacklog::Described() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_description;
}

size_t StreamBacklog::HeldBytes() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_held;
}

void StreamBacklog::Close()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_closed = true;
    m_room.notify_all();
}

bool StreamBacklog::IsClosed() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_closed;
}

bool StreamBacklog::ClaimWake(size_t minimum)
{
    if (m_wakePending || m_closed || m_gathered.empty() || m_gathered.size() < minimum)
        return false;
    m_wakePending = true;
    return true;
}
