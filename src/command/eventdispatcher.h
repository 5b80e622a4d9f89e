#pragma once

#include "commandrow.h"

#include <wx/string.h>

#include <cstdint>
#include <vector>

// Base of every module object that reports to a movie: the form and the
// script object that created it, to which its events go. "create" commands
// copy both from the CallInfo of their call.
//
// The static senders post the shared events; each builds its JSON payload,
// serialises it with json-c and posts it through PostAsyncEvent. They may be
// called from any thread and never fail towards the caller.
class EventDispatcher {
public:
    EventDispatcher() = default;
    EventDispatcher(int32_t formId, int32_t callerId) : formId(formId), callerId(callerId) {}
    explicit EventDispatcher(const CallInfo& call) : formId(call.formId), callerId(call.callerId) {}
    virtual ~EventDispatcher() = default;

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
    // "onProgress" with { "progress": n }.
    static void SendProgress(const EventDispatcher& dispatcher, int32_t progress);
    // "onResult" with { "result": text }.
    static void SendResult(const wxString& text, const EventDispatcher& dispatcher);
    // "onResult" with { "result": [ texts in order ] }.
    static void SendResultList(const EventDispatcher& dispatcher, const std::vector<wxString>& texts);

    int32_t formId = 0;
    int32_t callerId = 0;
};
