// The script text of an evaluation as the plug-in hands it over (UTF-8),
// taken apart into a call, and its command text read as the command's JSON
// array as the command centre does. The input also serves as the JSON text of
// a call written as the player writes it, which must read back unchanged and
// is then read as a JSON array too (mutations reach the JSON reader directly,
// not only through Base64).
#include "callprotocol.h"
#include "calltext.h"
#include "commandarray.h"
#include "textconv.h"

#include <json-c/json.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Name and arguments as a handler meets them: each argument read as text.
void ReadCommand(const std::string& utf8)
{
    const CommandArray command(utf8);
    if (!command.IsCall())
        return;
    command.CommandName();
    for (json_object* argument : command.Arguments())
        json_object_to_json_string(argument);
}

void ReadScript(const std::string& text)
{
    CallText call;
    if (!ParseCallText(text, call))
        return;
    ReadCommand(call.commandText);
    IsInitRequest(call.commandText);
    MustRunOnMainThread(Utf8ToWide(call.commandText));
}

void ReadWrittenCall(const std::string& json)
{
    // An empty payload is no call.
    if (json.empty())
        return;
    const bool async = json.size() % 2 == 1;
    std::int32_t formId = -1;
    if (json.size() >= sizeof formId)
        std::memcpy(&formId, json.data(), sizeof formId);
    const std::int32_t callerId = static_cast<std::int32_t>(json.size()) - 2;
    CallText call;
    if (!ParseCallText(standin::BuildCommandScript(async, formId, callerId, json), call)
        || call.isAsync != async || call.formId != formId || call.callerId != callerId
        || call.commandText != WideToUtf8(Utf8ToWide(json)))
        std::abort();
    ReadCommand(json);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ReadScript(text);
    ReadWrittenCall(text);
    return 0;
}
