#include "dialogstestsupport.h"

#include "commandcalls.h"
#include "commandcentre.h"
#include "textconv.h"

#include <json-c/json.h>

#include <atomic>

std::string EventText(const AsyncEventData& event)
{
    return WideToUtf8(event.eventName) + " " + WideToUtf8(event.payload);
}

bool CallAsyncAndWait(const std::string& name, const std::string& args, int32_t callerId, int timeoutMs)
{
    // Dialogs calls of both roads run on the main thread in the order sent,
    // so the marker runs only after the call has returned.
    const std::string marker = "nxa.Dialogs.BrowseFile.dialogText";
    std::atomic<int> markerRuns{0};
    CommandCentre::Get().SetRowObserver([&](const wxString& row) {
        if (row == marker)
            ++markerRuns;
    });
    CallCommandAsync(name, args, 0, callerId);
    CallCommandAsync(marker, "", 0, callerId);
    const bool ran = PumpEventsUntil([&] { return markerRuns > 0; }, timeoutMs);
    CommandCentre::Get().SetRowObserver(nullptr);
    return ran;
}

std::string JsonString(const std::string& utf8)
{
    json_object* value = json_object_new_string(utf8.c_str());
    const std::string text = json_object_to_json_string(value);
    json_object_put(value);
    return text;
}
