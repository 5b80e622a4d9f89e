#pragma once

#include "commandrow.h"
#include "objectmap.h"

#include <wx/string.h>

struct json_object;

#include <cstdint>
#include <vector>

// Base of every module object that reports to a movie: the form and the
// script object that created it, to which its events go. "create" commands
// copy both from the CallInfo of their call.
//
// Send is the one way for a module object to post an event; the static
// senders post the shared events through it. They may be called from any
// thread and never fail towards the caller.
class EventDispatcher {
public:
    EventDispatcher() = default;
    EventDispatcher(int32_t formId, int32_t callerId) : formId(formId), callerId(callerId) {}
    explicit EventDispatcher(const CallInfo& call) : formId(call.formId), callerId(call.callerId) {}
    virtual ~EventDispatcher() = default;

    // Posts the event with the payload (taken over and released; "null" when
    // it could not be made) to the dispatcher's form and caller.
    static void Send(const EventDispatcher& dispatcher, const wxString& eventName, json_object* payload);
    // The same with a payload that is JSON text already.
    static void SendText(const EventDispatcher& dispatcher, const wxString& eventName, const wxString& payload);

    // The outcome of a call that may have come by the asynchronous road:
    // nothing for a synchronous call (its result is the answer), else
    // "onComplete" { } on success and the failure event (with "{ }") otherwise.
    static void ReportOutcome(const CallInfo& call, const EventDispatcher& dispatcher, bool succeeded,
                              const wxString& failureEvent = "onIOError");

    // "onIOError" with "{ }": an asynchronous operation failed.
    static void SendIOError(const EventDispatcher& dispatcher);
    // "onConnected" with "{ }": a connection was accepted or established.
    static void SendConnected(const EventDispatcher& dispatcher);
    // "onClose" with "{ }": a connection or server was closed.
    static void SendClose(const EventDispatcher& dispatcher);
    // "onComplete" with "{ }": an asynchronous operation succeeded.
    static void SendComplete(const EventDispatcher& dispatcher);
    // "onComplete" with { "result": text }: an operation that produced a text.
    static void SendCompleteResult(const wxString& text, const EventDispatcher& dispatcher);
    // "onCancel" with "{ }": the user cancelled or answered No.
    static void SendCancel(const EventDispatcher& dispatcher);
    // "onSelect" with "{ }": the user chose OK, Yes or entered a text.
    static void SendSelect(const EventDispatcher& dispatcher);
    // "onSelect" with { "result": path }: the user chose one path.
    static void SendSelectResult(const wxString& path, const EventDispatcher& dispatcher);
    // "onSelectMultiple" with { "result": [ paths in order ] }.
    static void SendSelectMultiple(const EventDispatcher& dispatcher, const std::vector<wxString>& paths);
    // "onProgress" with { "progress": n }.
    static void SendProgress(const EventDispatcher& dispatcher, int32_t progress);
    // "onResult" with { "result": text }.
    static void SendResult(const wxString& text, const EventDispatcher& dispatcher);
    // "onResult" with { "result": [ texts in order ] }.
    static void SendResultList(const EventDispatcher& dispatcher, const std::vector<wxString>& texts);

    int32_t formId = 0;
    int32_t callerId = 0;
};

// Posts the event to every object of the map that the filter accepts, in
// ascending id order, each addressed with its own form and caller.
template <class T, class Filter>
void BroadcastEvent(const ObjectMap<T>& objects, const wxString& eventName, const wxString& payload, Filter accepts)
{
    for (const std::shared_ptr<T>& object : objects.All()) {
        if (accepts(*object))
            EventDispatcher::SendText(*object, eventName, payload);
    }
}

template <class T>
void BroadcastEvent(const ObjectMap<T>& objects, const wxString& eventName, const wxString& payload)
{
    BroadcastEvent(objects, eventName, payload, [](const T&) { return true; });
}
