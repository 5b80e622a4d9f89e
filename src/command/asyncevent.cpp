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
    if (centre)
        centre->PostEvent(std::move(data));
}

void SetAsyncEventSink(std::function<void(const AsyncEventData&)> sink)
{
    std::lock_guard<std::mutex> hold(g_sinkLock);
    g_sink = std::move(sink);
}
