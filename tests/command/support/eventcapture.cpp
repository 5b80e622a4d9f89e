#include "eventcapture.h"

#include "commandcalls.h"

EventCapture::EventCapture()
{
    SetAsyncEventSink([this](const AsyncEventData& event) {
        std::lock_guard<std::mutex> hold(m_lock);
        m_events.push_back(event);
    });
}

EventCapture::~EventCapture()
{
    SetAsyncEventSink(nullptr);
}

std::vector<AsyncEventData> EventCapture::Events() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_events;
}

bool EventCapture::WaitFor(size_t count, int timeoutMs) const
{
    return PumpEventsUntil([&] { return Events().size() >= count; }, timeoutMs);
}
