#pragma once

#include "asynceventqueue.h"

#include <wx/event.h>
#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <string>

class CommandCentre;

// Carries an asynchronous call from CommandCentre::OnCommand to the main
// thread's event loop: id = form id, int = caller id, string = command text.
wxDECLARE_EVENT(AsyncCommandEvent, wxThreadEvent);
// Wakes the command centre to deliver the events queued for the movies (no
// payload: one wake-up carries a whole batch).
wxDECLARE_EVENT(ModuleEvent, wxThreadEvent);

// The one way back into a movie, from any thread: queues the event on the
// command centre, which delivers it on the main thread to the movie of the form
// with that id as "TevOnAsyncEvent". Events arrive once each, in the order
// posted; an event for a form that is gone is dropped.
void PostAsyncEvent(const wxString& payload, const wxString& eventName, CommandCentre* centre, int32_t formId,
                    int32_t callerId);

// Test seam: while a sink is set, PostAsyncEvent hands every event to it (on
// the posting thread) instead of queueing it. An empty function restores
// normal posting.
void SetAsyncEventSink(std::function<void(const AsyncEventData&)> sink);
