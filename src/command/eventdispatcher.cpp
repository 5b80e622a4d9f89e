#include "eventdispatcher.h"

#include "asyncevent.h"
#include "commandargs.h"
#include "commandcentre.h"
#include "textconv.h"

#include <json-c/json.h>

namespace {

// Serialises and releases the payload ("null" when it could not be made) and
// posts it to the dispatcher's form and caller.
void PostPayload(json_object* payload, const wchar_t* eventName, const EventDispatcher& dispatcher)
{
    const std::wstring text = Utf8ToWide(ToJsonText(payload));
    json_object_put(payload);
    PostAsyncEvent(wxString(text), wxString(eventName), &CommandCentre::Get(), dispatcher.formId,
                   dispatcher.callerId);
}

json_object* ObjectWith(const char* key, json_object* member)
{
    json_object* object = json_object_new_object();
    if (object)
        json_object_object_add(object, key, member);
    else
        json_object_put(member);
    return object;
}

} // namespace

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
