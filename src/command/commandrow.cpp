#include "commandrow.h"

#include <json-c/json.h>

#include <string>

const char* __cdecl InvokeRowHandler(CommandHandler handler, CallInfo* call, int32_t argc, json_object** argv)
{
    thread_local std::string resultText;
    json_object* result = handler ? handler(call, argc, argv) : nullptr;
    // Assigned in place: the storage is reused from call to call.
    const char* text = result ? json_object_to_json_string(result) : "null";
    resultText.assign(text ? text : "");
    json_object_put(result);
    return resultText.c_str();
}
