#include "eventdispatcher.h"

#include "asyncevent.h"
#include "commandargs.h"
#include "commandcentre.h"
#include "textconv.h"

#include <json-c/json.h>

namespace {

void PostPayload(json_object* payload, const wchar_t* eventName, const EventDispatcher& dispatcher)
{
    EventDispatcher::Send(dispatcher, wxString(eventName), payload);
}

} // namespace

void EventDispatcher::Send(const EventDispatcher& dispatcher, const wxString& eventName, json_object* payload)
{
    const std::wstring text = Utf8ToWide(ToJsonText(payload));
    json_object_put(payload);
    SendText(dispatcher, eventName, wxString(text));
}

void EventDispatcher::SendText(const EventDispatcher& dispatcher, const wxString& eventName, const wxString& payload)
{
    PostAsyncEvent(payload, eventName, &CommandCentre::Get(), dispatcher.formId, dispatcher.callerId);
}

void EventDispatcher::ReportOutcome(const CallInfo& call, const EventDispatcher& dispatcher, bool succeeded,
                                    const wxString& failureEvent)
{
    if (!call.isAsync)
        return;
    Send(dispatcher, succeeded ? wxString("onComplete") : failureEvent, json_object_new_object());
}

void EventDispatcher::SendIOError(const EventDispatcher& dispatcher)
{
    PostPayload(json_object_new_object(), L"onIOError", dispatcher);
}

void EventDispatcher::SendConnected(const EventDispatcher& dispatcher)
{
    PostPayload(json_object_new_object(), L"onConnected", dispatcher);
}

void EventDispatcher::SendClose(const EventDispatcher& dispatcher)
{
    PostPayload(json_object_new_object(), L"onClose", dispatcher);
}

void EventDispatcher::SendComplete(const EventDispatcher& dispatcher)
{
    PostPayload(json_object_new_object(), L"onComplete", dispatcher);
}

void EventDispatcher::SendCompleteResult(const wxString& text, const EventDispatcher& dispatcher)
{
    PostPayload(ObjectWith("result", MakeText(text)), L"onComplete", dispatcher);
}

void EventDispatcher::SendCancel(const EventDispatcher& dispatcher)
{
    PostPayload(json_object_new_object(), L"onCancel", dispatcher);
}

void EventDispatcher::SendSelect(const EventDispatcher& dispatcher)
{
    PostPayload(json_object_new_object(), L"onSelect", dispatcher);
}

void EventDispatcher::SendSelectResult(const wxString& path, const EventDispatcher& dispatcher)
{
    PostPayload(ObjectWith("result", MakeText(path)), L"onSelect", dispatcher);
}

void EventDispatcher::SendSelectMultiple(const EventDispatcher& dispatcher, const std::vector<wxString>& paths)
{
    json_object* list = MakeTextArray(paths);
    PostPayload(list ? ObjectWith("result", list) : nullptr, L"onSelectMultiple", dispatcher);
}

void EventDispatcher::SendProgress(const EventDispatcher& dispatcher, int32_t progress)
{
    PostPayload(ObjectWith("progress", MakeInt(progress)), L"onProgress", dispatcher);
}

void EventDispatcher::SendResult(const wxString& text, const EventDispatcher& dispatcher)
{
    PostPayload(ObjectWith("result", MakeText(text)), L"onResult", dispatcher);
}

void EventDispatcher::SendResultList(const EventDispatcher& dispatcher, const std::vector<wxString>& texts)
{
    json_object* list = MakeTextArray(texts);
    PostPayload(list ? ObjectWith("result", list) : nullptr, L"onResult", dispatcher);
}
