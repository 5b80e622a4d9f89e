#include "filesystemtesting.h"

#include "commandcalls.h"
#include "eventcapture.h"
#include "textconv.h"
#include "wholefile.h"

#include <json-c/json.h>

#include <windows.h>

std::string JsonText(const std::wstring& text)
{
    const std::string utf8 = WideToUtf8(text);
    json_object* value = json_object_new_string_len(utf8.data(), static_cast<int>(utf8.size()));
    const std::string json = json_object_to_json_string_ext(value, JSON_C_TO_STRING_PLAIN);
    json_object_put(value);
    return json;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    return WriteWholeFile(path, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<long>(bytes.size()));
}

bool FileIsMissing(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::string CreateObject(const std::string& createRow, int32_t formId, int32_t callerId)
{
    return CallCommandSync(createRow, "", formId, callerId);
}

std::vector<std::string> EventTexts(const EventCapture& capture)
{
    std::vector<std::string> texts;
    for (const AsyncEventData& event : capture.Events()) {
        texts.push_back(std::to_string(event.formId) + " " + std::to_string(event.callerId) + " " +
                        WideToUtf8(event.eventName + L" " + event.payload));
    }
    return texts;
}
