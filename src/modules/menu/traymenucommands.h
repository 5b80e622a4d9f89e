#pragma once

#include "commandrow.h"

// The rows of the tray icon and its menu ("nxa.Menu.Tray."). Every one but
// create needs a TrayMenu's id as its first argument and answers 0; without
// a tray icon in the project they do nothing.
namespace nxaMenu {

json_object* __cdecl trayCreate(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl trayHideIcon(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl trayInsertDivider(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl trayInsertItem(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl trayItemChecked(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl trayItemEnabled(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl trayRemoveItem(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl traySetIcon(CallInfo* call, int32_t argc, json_object** argv);
// Arguments after the id: text, title, icon kind, timeout in milliseconds,
// and a sixth that is not used.
json_object* __cdecl trayShowBalloon(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl trayShowIcon(CallInfo* call, int32_t argc, json_object** argv);
// set_iconHint and set_menuType: the text becomes the tooltip and the icon
// is shown with it.
json_object* __cdecl traySetTooltip(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaMenu
