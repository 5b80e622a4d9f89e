#include "databaseroads.h"

#include "commandcalls.h"
#include "commandcentre.h"
#include "textconv.h"

#include <json-c/json.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace {

// A cheap row queued behind the call: the worker runs one call at a time in
// order, so when this one starts the call before it has ended.
const char* const kMarkerRow = "nxa.Database.create";
const int kAsyncBoundMs = 30000;

} // namespace

const char* RoadName(Road road)
{
    return road == Road::Sync ? "synchronous" : "asynchronous";
}

std::string RunBy(Road road, const std::string& name, const std::string& args)
{
    if (road == Road::Sync)
        return CallCommandSync(name, args);
    const auto markers = std::make_shared<std::atomic<int>>(0);
    CommandCentre::Get().SetRowObserver([markers](const wxString& row) {
        if (row == kMarkerRow)
            ++*markers;
    });
    CallCommandAsync(name, args);
    CallCommandAsync(kMarkerRow);
    const bool ended = PumpEventsUntil([&] { return *markers > 0; }, kAsyncBoundMs);
    CommandCentre::Get().SetRowObserver(nullptr);
    EXPECT_TRUE(ended) << name << " did not end on the worker";
    return std::string();
}

std::string JsonString(const std::string& utf8)
{
    json_object* value = json_object_new_string_len(utf8.data(), static_cast<int>(utf8.size()));
    const std::string json = json_object_to_json_string_ext(value, JSON_C_TO_STRING_PLAIN);
    json_object_put(value);
    return json;
}

std::string JsonString(const std::wstring& text)
{
    return JsonString(WideToUtf8(text));
}
