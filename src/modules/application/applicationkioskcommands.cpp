#include "applicationkioskcommands.h"

#include "formwindowhandle.h"
#include "keylocklibrary.h"
#include "kiosk.h"
#include "nxaapplication.h"
#include "objectrows.h"

namespace {

ObjectMap<Kiosk>& Kiosks()
{
    static ObjectMap<Kiosk> kiosks(nxaApplication::Frame::Objects());
    return kiosks;
}

// Runs the key-lock call when the first argument names a Kiosk; answers 0.
template <class Call>
json_object* WithKiosk(int32_t argc, json_object** argv, Call&& call)
{
    return WithObject(Kiosks(), argc, argv, [&](Kiosk&) {
        call(KeyLockLibrary::Get());
        return MakeInt(0);
    });
}

} // namespace

namespace nxaApplication {

json_object* KioskKeyCommand(int32_t argc, json_object** argv, int32_t keyCode, int32_t modifierCode, int32_t flag)
{
    return WithKiosk(argc, argv,
                     [&](KeyLockLibrary& library) { library.DisableKey(nullptr, keyCode, modifierCode, flag); });
}

json_object* KioskItemCommand(int32_t argc, json_object** argv, int32_t itemCode, int32_t flag)
{
    return WithKiosk(argc, argv, [&](KeyLockLibrary& library) { library.DisableItem(itemCode, flag); });
}

json_object* __cdecl kioskCreate(CallInfo*, int32_t, json_object**)
{
    return AddObject(Kiosks(), std::make_shared<Kiosk>());
}

// When the calling form is gone the call is still made, with no window.
json_object* __cdecl kioskDisableAltEsc(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithKiosk(argc, argv, [&](KeyLockLibrary& library) {
        library.DisableKey(FindFormWindowHandle(call->formId), kKeyEscape, kModifierAlt, kDisable);
    });
}

json_object* __cdecl kioskInstallLoginScreen(CallInfo*, int32_t argc, json_object** argv)
{
    return WithKiosk(argc, argv, [](KeyLockLibrary& library) { library.InstallLoginScreen(); });
}

json_object* __cdecl kioskUninstallLoginScreen(CallInfo*, int32_t argc, json_object** argv)
{
    return WithKiosk(argc, argv, [](KeyLockLibrary& library) { library.UninstallLoginScreen(); });
}

} // namespace nxaApplication
