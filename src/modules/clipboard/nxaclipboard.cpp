#include "nxaclipboard.h"

#include "clipboardtext.h"
#include "commandargs.h"
#include "keyshortcut.h"

namespace {

// The clipboard and the input stream take calls from any thread.
const RowSpec kRows[] = {
    {"nxa.Clipboard.clear", nxaClipboard::clear, kAnyArgCount, "\"\"", kAnyThread},
    {"nxa.Clipboard.copyString", nxaClipboard::copyString, kAnyArgCount, "\"\"", kAnyThread},
    {"nxa.Clipboard.copy", nxaClipboard::copy, kAnyArgCount, "\"\"", kAnyThread},
    {"nxa.Clipboard.cut", nxaClipboard::cut, kAnyArgCount, "\"\"", kAnyThread},
    {"nxa.Clipboard.paste", nxaClipboard::paste, kAnyArgCount, "\"\"", kAnyThread},
};

json_object* NoAnswer()
{
    return MakeText(wxString());
}

} // namespace

struct nxaClipboard::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaClipboard::Definition>;

namespace nxaClipboard {

json_object* __cdecl clear(CallInfo*, int32_t, json_object**)
{
    ClearClipboard();
    return NoAnswer();
}

json_object* __cdecl copyString(CallInfo*, int32_t argc, json_object** argv)
{
    if (argc > 0)
        PutTextOnClipboard(ReadText(argv[0]).ToStdWstring());
    return NoAnswer();
}

json_object* __cdecl copy(CallInfo*, int32_t, json_object**)
{
    TypeControlShortcut(L'c');
    return NoAnswer();
}

json_object* __cdecl cut(CallInfo*, int32_t, json_object**)
{
    TypeControlShortcut(L'x');
    return NoAnswer();
}

json_object* __cdecl paste(CallInfo*, int32_t, json_object**)
{
    TypeControlShortcut(L'v');
    return NoAnswer();
}

} // namespace nxaClipboard
