#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

// An asynchronous call waiting for the worker thread.
struct QueuedCall {
    int32_t formId = 0;
    int32_t callerId = 0;
    std::wstring commandText;
};

// First in, first out list of calls shared by the main thread (which pushes)
// and the worker (which pops). The lock is held only while the list changes,
// never while a call runs.
class CallQueue {
public:
    void PushQueuedCall(const QueuedCall& call);
    // Moves the first call out; false when the queue is empty.
    bool PopQueuedCall(QueuedCall& call);
    // Drops every call that has not run.
    void Clear();
    size_t Size() const;

private:
    mutable std::mutex m_lock;
    std::deque<QueuedCall> m_calls;
};
