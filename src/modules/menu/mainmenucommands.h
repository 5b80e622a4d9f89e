#pragma once

#include "commandrow.h"

// The rows of the calling form's menu bar ("nxa.Menu.Main."). Every one but
// create needs a MainMenu's id as its first argument, attaches an empty bar
// to a form that has none and answers 0; the second argument names a header
// by its title.
namespace nxaMenu {

json_object* __cdecl mainCreate(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl mainInsertDivider(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl mainInsertHeader(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl mainInsertItem(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl mainItemChecked(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl mainItemEnabled(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl mainRemoveHeader(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl mainRemoveItem(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaMenu
