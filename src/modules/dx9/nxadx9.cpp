#include "nxadx9.h"

#include "commandargs.h"
#include "direct3dscreen.h"
#include "directxscreenform.h"
#include "formwork.h"
#include "modesizes.h"

#include <json-c/json.h>

#include <functional>

namespace {

const int32_t kMainFormId = 0;

// The work with the main form, on the main thread where the Direct3D device
// must live (every row but create is flagged so). Nothing happens when the
// call does not come from form 0 or form 0 is gone.
void WithMainForm(const CallInfo& call, const std::function<void(DirectXScreenForm&)>& work)
{
    if (call.formId == kMainFormId)
        WithForm<DirectXScreenForm>(kMainFormId, work);
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

// The first argument of enable, disable and enumerateModes is an id that is
// read and ignored: the module keeps no objects.
const RowSpec kRows[] = {
    {"nxa.DX9.create", nxaDX9::create, kAnyArgCount, "-1", kAnyThread},
    {"nxa.DX9.enable", nxaDX9::enable, 3, "false", kMainThread},
    {"nxa.DX9.disable", nxaDX9::disable, 1, "0", kMainThread},
    {"nxa.DX9.enumerateModes", nxaDX9::enumerateModes, 1, "[]", kMainThread},
};

} // namespace

struct nxaDX9::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaDX9::Definition>;

namespace nxaDX9 {

json_object* __cdecl create(CallInfo*, int32_t, json_object**)
{
    return MakeInt(-1);
}

json_object* __cdecl enable(CallInfo* call, int32_t, json_object** argv)
{
    const int32_t width = ReadInt(argv[1]);
    const int32_t height = ReadInt(argv[2]);
    bool on = false;
    WithMainForm(*call, [&](DirectXScreenForm& form) { on = form.EnterDirectXFullScreen(width, height); });
    return MakeFlag(on);
}

json_object* __cdecl disable(CallInfo* call, int32_t, json_object**)
{
    WithMainForm(*call, [](DirectXScreenForm& form) { form.LeaveDirectXFullScreen(); });
    return MakeInt(0);
}

json_object* __cdecl enumerateModes(CallInfo* call, int32_t, json_object**)
{
    std::vector<DisplayMode> modes;
    WithMainForm(*call, [&](DirectXScreenForm&) { modes = Direct3DScreen::EnumerateDisplayModes(); });
    return MakeSizeList(DistinctModeSizes(std::move(modes)));
}

} // namespace nxaDX9
