// The script text of an evaluation as the plug-in hands it over (UTF-8),
// taken apart into a call, and its command text made ready for the JSON
// reader as the command centre does. The input also serves as the JSON text
// of a call written as the player writes it, which must read back unchanged.
#include "callprotocol.h"
#include "calltext.h"
#include "textconv.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void ReadScript(const std::string& text)
{
    CallText call;
    if (!ParseCallText(Utf8ToWide(text), call))
        return;
    WideToUtf8(call.commandText);
    IsInitRequest(call.commandText);
    MustRunOnMainThread(call.commandText);
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
    if (!ParseCallText(Utf8ToWide(standin::BuildCommandScript(async, formId, callerId, json)), call)
        || call.isAsync != async || call.formId != formId || call.callerId != callerId
        || call.commandText != Utf8ToWide(json))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    ReadScript(text);
    ReadWrittenCall(text);
    return 0;
}
