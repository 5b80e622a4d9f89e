#pragma once

#include "commandrow.h"

// The rows of the calling form's context menu ("nxa.Menu.Context."). Every
// one but create needs a ContextMenu's id as its first argument, acts on the
// form registered under the call's form id and answers 0.
namespace nxaMenu {

json_object* __cdecl ctxCreate(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl ctxDisable(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl ctxEnable(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl ctxInsertDivider(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl ctxInsertItem(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl ctxItemChecked(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl ctxItemEnabled(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl ctxRemoveItem(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaMenu
