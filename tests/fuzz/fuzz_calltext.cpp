// The script text of an evaluation as the plug-in hands it over (UTF-8),
// taken apart into a call, and its command text made ready for the JSON
// reader as the command centre does.
#include "calltext.h"
#include "textconv.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring script = Utf8ToWide(std::string(reinterpret_cast<const char*>(data), size));
    CallText call;
    if (!ParseCallText(script, call))
        return 0;
    WideToUtf8(call.commandText);
    IsInitRequest(call.commandText);
    MustRunOnMainThread(call.commandText);
    return 0;
}
