#include "asyncevent.h"

#include "commandcentre.h"

#include <mutex>

wxDEFINE_EVENT(AsyncCommandEvent, wxThreadEvent);
wxDEFINE_EVENT(ModuleEvent, wxThreadEvent);

namespace {

std::mutex g_sinkLock;
std::function<void(const AsyncEventData&)> g_sink;

std::function<void(const AsyncEventData&)> CurrentSink()
{
    std::lock_guard<std::mutex> hold(g_sinkLock);
    return g_sink;
}

} // namespace

void PostAsyncEvent(const wxString& payload, const wxString& eventName, CommandCentre* centre, int32_t formId,
                    int32_t callerId)
{
    AsyncEventData data;
    data.formId = formId;
    data.callerId = callerId;
    data.eventName = eventName.ToStdWstring();
    data.payload = payload.ToStdWstring();
    if (const auto sink = CurrentSink()) {
        sink(data);
        return;
    }
    if (!centre)
        return;
    // The payload travels by value inside the event, so nothing is left to free
    // when an event is never delivered.
    wxThreadEvent event(ModuleEvent, 0);
    event.SetPayload(data);
    centre->QueueEvent(event.Clone());
}

void SetAsyncEventSink(std::function<void(const AsyncEventData&)> sink)
{
    std::lock_guard<std::mutex> hold(g_sinkLock);
    g_sink = std::move(sink);
}
