#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The "nxa.Application.Kiosk." rows. A Kiosk object is only a key: every
// command passes its codes to the key-lock library (keylocklibrary.h) and
// answers 0; create answers the new id (-1). The key and item rows are one
// function each, instantiated with the codes of their row.
namespace nxaApplication {

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

// (id): "wlDisableKey" with no window; 0.
json_object* KioskKeyCommand(int32_t argc, json_object** argv, int32_t keyCode, int32_t modifierCode, int32_t flag);
// (id): "wlDisableItem"; 0.
json_object* KioskItemCommand(int32_t argc, json_object** argv, int32_t itemCode, int32_t flag);

template <int32_t KeyCode, int32_t ModifierCode, int32_t Flag>
json_object* __cdecl KioskKeyRow(CallInfo*, int32_t argc, json_object** argv)
{
    return KioskKeyCommand(argc, argv, KeyCode, ModifierCode, Flag);
}

template <int32_t ItemCode, int32_t Flag>
json_object* __cdecl KioskItemRow(CallInfo*, int32_t argc, json_object** argv)
{
    return KioskItemCommand(argc, argv, ItemCode, Flag);
}

// () -> new Kiosk id (-1)
json_object* __cdecl kioskCreate(CallInfo* call, int32_t argc, json_object** argv);
// (id): the only call that names a window, the calling form's.
json_object* __cdecl kioskDisableAltEsc(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskInstallLoginScreen(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskUninstallLoginScreen(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaApplication
