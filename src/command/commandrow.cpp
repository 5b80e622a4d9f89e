#include "commandrow.h"

#include "commandargs.h"

#include <json-c/json.h>

#include <string>

const char* __cdecl InvokeRowHandler(CommandHandler handler, CallInfo* call, int32_t argc, json_object** argv)
{
    thread_local std::string resultText;
    json_object* result = handler ? handler(call, argc, argv) : nullptr;
    resultText = result ? ToJsonText(result) : "null";
    json_object_put(result);
    return resultText.c_str();
}
