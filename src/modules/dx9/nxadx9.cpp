#include "nxadx9.h"

#include "commandargs.h"
#include "commandcentre.h"
#include "direct3dscreen.h"
#include "directxscreenform.h"
#include "mainthread.h"
#include "modesizes.h"
#include "movieform.h"

#include <json-c/json.h>

#include <functional>

namespace {

const int32_t kMainFormId = 0;

// Runs the work with the main form on the main thread, where the Direct3D
// device must live, whichever thread the call came on. Nothing happens when
// the call does not come from form 0 or form 0 is gone.
void WithMainForm(const CallInfo& call, const std::function<void(DirectXScreenForm&)>& work)
{
    if (call.formId != kMainFormId)
        return;
    RunOnMainThread([&] {
        if (auto* form = dynamic_cast<DirectXScreenForm*>(CommandCentre::Get().FindForm(kMainFormId)))
            work(*form);
    });
}

json_object* MakeSizeList(const std::vector<std::pair<int32_t, int32_t>>& sizes)
{
    json_object* list = json_object_new_array();
    for (const auto& size : sizes) {
        json_object* pair = json_object_new_array();
        json_object_array_add(pair, json_object_new_int(size.first));
        json_object_array_add(pair, json_object_new_int(size.second));
        json_object_array_add(list, pair);
    }
    return list;
}

} // namespace

namespace nxaDX9 {

ModuleDescriptor& Module()
{
    static ModuleDescriptor module = {Initialise, Shutdown, nullptr, 0};
    return module;
}

bool Initialise()
{
    AppendCommandRow(Module(), "nxa.DX9.create", create);
    AppendCommandRow(Module(), "nxa.DX9.enable", enable);
    AppendCommandRow(Module(), "nxa.DX9.disable", disable);
    AppendCommandRow(Module(), "nxa.DX9.enumerateModes", enumerateModes);
    return true;
}

void Shutdown()
{
    ReleaseCommandRows(Module());
}

json_object* __cdecl create(CallInfo*, int32_t, json_object**)
{
    return MakeInt(-1);
}

json_object* __cdecl enable(CallInfo* call, int32_t argc, json_object** argv)
{
    if (argc != 3)
        return MakeFlag(false);
    const int32_t width = ReadInt(argv[1]);
    const int32_t height = ReadInt(argv[2]);
    bool on = false;
    WithMainForm(*call, [&](DirectXScreenForm& form) { on = form.EnterDirectXFullScreen(width, height); });
    return MakeFlag(on);
}

json_object* __cdecl disable(CallInfo* call, int32_t argc, json_object**)
{
    if (argc != 1)
        return MakeInt(0);
    WithMainForm(*call, [](DirectXScreenForm& form) { form.LeaveDirectXFullScreen(); });
    return MakeInt(0);
}

json_object* __cdecl enumerateModes(CallInfo* call, int32_t argc, json_object**)
{
    std::vector<DisplayMode> modes;
    if (argc == 1)
        WithMainForm(*call, [&](DirectXScreenForm&) { modes = Direct3DScreen::EnumerateDisplayModes(); });
    return MakeSizeList(DistinctModeSizes(std::move(modes)));
}

} // namespace nxaDX9
