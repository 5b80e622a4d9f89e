#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The "nxa.Application.Kiosk." rows. A Kiosk object is only a key: every
// command passes its codes to the key-lock library (keylocklibrary.h) and
// answers 0; create answers the new id (-1).
namespace nxaApplication {

json_object* __cdecl kioskCreate(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableAltEsc(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableAltF4(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableAltTab(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableAppKey(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableCtrlAltDel(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableCtrlEsc(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableRMouseButton(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableWindowsDesktop(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableWindowsStartButton(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableWindowsTaskbar(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskDisableWinKey(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableAltEsc(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableAltF4(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableAltTab(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableAppKey(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableCtrlAltDel(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableCtrlEsc(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableRMouseButton(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableWindowsDesktop(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableWindowsStartButton(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableWindowsTaskbar(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskEnableWinKey(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskInstallLoginScreen(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl kioskUninstallLoginScreen(CallInfo* call, int32_t argc, json_object** argv);

// Module shut-down: releases every Kiosk object. Ids keep counting on.
void ClearKiosks();

} // namespace nxaApplication
