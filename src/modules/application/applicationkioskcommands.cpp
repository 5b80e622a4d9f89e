#include "applicationkioskcommands.h"

#include "commandargs.h"
#include "formwindowhandle.h"
#include "keylocklibrary.h"
#include "kiosk.h"
#include "nxaapplication.h"
#include "objectmap.h"

namespace {

// Key and modifier codes of the key-lock library's "wlDisableKey".
constexpr int32_t kKeyEscape = 27;
constexpr int32_t kKeyF4 = 115;
constexpr int32_t kKeyTab = 9;
constexpr int32_t kKeyApplications = 93;
constexpr int32_t kKeyDelete = 46;
constexpr int32_t kKeyRightMouseButton = 2;
constexpr int32_t kKeyNone = 0;
constexpr int32_t kModifierNone = 0;
constexpr int32_t kModifierAlt = 1;
constexpr int32_t kModifierCtrl = 2;
constexpr int32_t kModifierCtrlAlt = 3;
constexpr int32_t kModifierWindowsKey = 8;
// Item codes of "wlDisableItem".
constexpr int32_t kItemDesktop = 2;
constexpr int32_t kItemStartButton = 3;
constexpr int32_t kItemTaskbar = 5;
// The flag both calls take: 1 disables, 0 enables again.
constexpr int32_t kDisable = 1;
constexpr int32_t kEnable = 0;

ObjectMap<Kiosk>& Kiosks()
{
    static ObjectMap<Kiosk> kiosks(nxaApplication::ModuleLock());
    return kiosks;
}

// Every Kiosk command but create takes the id alone.
bool IsKioskCall(int32_t argc, json_object** argv)
{
    return argc == 1 && Kiosks().Find(ReadInt(argv[0])) != nullptr;
}

json_object* KeyCommand(int32_t argc, json_object** argv, int32_t keyCode, int32_t modifierCode, int32_t flag)
{
    if (IsKioskCall(argc, argv))
        KeyLockLibrary::Get().DisableKey(nullptr, keyCode, modifierCode, flag);
    return MakeInt(0);
}

json_object* ItemCommand(int32_t argc, json_object** argv, int32_t itemCode, int32_t flag)
{
    if (IsKioskCall(argc, argv))
        KeyLockLibrary::Get().DisableItem(itemCode, flag);
    return MakeInt(0);
}

} // namespace

namespace nxaApplication {

json_object* __cdecl kioskCreate(CallInfo*, int32_t argc, json_object**)
{
    if (argc != 0)
        return MakeInt(-1);
    return MakeInt(Kiosks().Add(std::make_shared<Kiosk>()));
}

// The only call that names a window: the calling form's. When that form is
// gone the call is still made, with no window.
json_object* __cdecl kioskDisableAltEsc(CallInfo* call, int32_t argc, json_object** argv)
{
    if (IsKioskCall(argc, argv))
        KeyLockLibrary::Get().DisableKey(FindFormWindowHandle(call->formId), kKeyEscape, kModifierAlt, kDisable);
    return MakeInt(0);
}

json_object* __cdecl kioskDisableAltF4(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyF4, kModifierAlt, kDisable);
}

json_object* __cdecl kioskDisableAltTab(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyTab, kModifierAlt, kDisable);
}

json_object* __cdecl kioskDisableAppKey(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyApplications, kModifierNone, kDisable);
}

json_object* __cdecl kioskDisableCtrlAltDel(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyDelete, kModifierCtrlAlt, kDisable);
}

json_object* __cdecl kioskDisableCtrlEsc(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyEscape, kModifierCtrl, kDisable);
}

json_object* __cdecl kioskDisableRMouseButton(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyRightMouseButton, kModifierNone, kDisable);
}

json_object* __cdecl kioskDisableWindowsDesktop(CallInfo*, int32_t argc, json_object** argv)
{
    return ItemCommand(argc, argv, kItemDesktop, kDisable);
}

json_object* __cdecl kioskDisableWindowsStartButton(CallInfo*, int32_t argc, json_object** argv)
{
    return ItemCommand(argc, argv, kItemStartButton, kDisable);
}

json_object* __cdecl kioskDisableWindowsTaskbar(CallInfo*, int32_t argc, json_object** argv)
{
    return ItemCommand(argc, argv, kItemTaskbar, kDisable);
}

json_object* __cdecl kioskDisableWinKey(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyNone, kModifierWindowsKey, kDisable);
}

json_object* __cdecl kioskEnableAltEsc(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyEscape, kModifierAlt, kEnable);
}

json_object* __cdecl kioskEnableAltF4(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyF4, kModifierAlt, kEnable);
}

json_object* __cdecl kioskEnableAltTab(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyTab, kModifierAlt, kEnable);
}

json_object* __cdecl kioskEnableAppKey(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyApplications, kModifierNone, kEnable);
}

json_object* __cdecl kioskEnableCtrlAltDel(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyDelete, kModifierCtrlAlt, kEnable);
}

json_object* __cdecl kioskEnableCtrlEsc(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyEscape, kModifierCtrl, kEnable);
}

json_object* __cdecl kioskEnableRMouseButton(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyRightMouseButton, kModifierNone, kEnable);
}

json_object* __cdecl kioskEnableWindowsDesktop(CallInfo*, int32_t argc, json_object** argv)
{
    return ItemCommand(argc, argv, kItemDesktop, kEnable);
}

json_object* __cdecl kioskEnableWindowsStartButton(CallInfo*, int32_t argc, json_object** argv)
{
    return ItemCommand(argc, argv, kItemStartButton, kEnable);
}

json_object* __cdecl kioskEnableWindowsTaskbar(CallInfo*, int32_t argc, json_object** argv)
{
    return ItemCommand(argc, argv, kItemTaskbar, kEnable);
}

json_object* __cdecl kioskEnableWinKey(CallInfo*, int32_t argc, json_object** argv)
{
    return KeyCommand(argc, argv, kKeyNone, kModifierWindowsKey, kEnable);
}

json_object* __cdecl kioskInstallLoginScreen(CallInfo*, int32_t argc, json_object** argv)
{
    if (IsKioskCall(argc, argv))
        KeyLockLibrary::Get().InstallLoginScreen();
    return MakeInt(0);
}

json_object* __cdecl kioskUninstallLoginScreen(CallInfo*, int32_t argc, json_object** argv)
{
    if (IsKioskCall(argc, argv))
        KeyLockLibrary::Get().UninstallLoginScreen();
    return MakeInt(0);
}

void ClearKiosks()
{
    Kiosks().Clear();
}

} // namespace nxaApplication
