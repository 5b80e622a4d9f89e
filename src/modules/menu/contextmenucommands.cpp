#include "contextmenucommands.h"

#include "formwork.h"
#include "kovaform.h"
#include "menueditor.h"
#include "menuitemids.h"
#include "menuobjects.h"
#include "objectrows.h"

#include <wx/menu.h>

namespace {

// Runs the work on the calling form for the ContextMenu named by the first
// argument and answers 0 (the row's fallback when the id is unknown). The
// form is looked up and used on the main thread.
template <class Work>
json_object* OnCallingForm(CallInfo* call, int32_t argc, json_object** argv, Work&& work)
{
    return WithObject(ContextMenus(), argc, argv, [&](const ContextMenu&) {
        WithForm<KovaForm>(call->formId, [&](KovaForm& form) { work(form); });
        return MakeInt(0);
    });
}

// The same with an editor of the calling form's context menu.
template <class Edit>
json_object* OnContextMenu(CallInfo* call, int32_t argc, json_object** argv, Edit&& edit)
{
    return OnCallingForm(call, argc, argv, [&](KovaForm& form) {
        MenuEditor editor(form.ContextMenu(), ProcessMenuItemIds());
        edit(editor);
    });
}

} // namespace

namespace nxaMenu {

json_object* __cdecl ctxCreate(CallInfo* call, int32_t, json_object**)
{
    return AddObject(ContextMenus(), std::make_shared<ContextMenu>(*call));
}

json_object* __cdecl ctxDisable(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnCallingForm(call, argc, argv, [](KovaForm& form) { form.SetContextMenuEnabled(false); });
}

json_object* __cdecl ctxEnable(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnCallingForm(call, argc, argv, [](KovaForm& form) { form.SetContextMenuEnabled(true); });
}

json_object* __cdecl ctxInsertDivider(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnContextMenu(call, argc, argv, [](MenuEditor& editor) { editor.InsertDivider(); });
}

json_object* __cdecl ctxInsertItem(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnContextMenu(call, argc, argv, [&](MenuEditor& editor) { editor.InsertItem(ReadText(argv[1])); });
}

json_object* __cdecl ctxItemChecked(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnContextMenu(call, argc, argv,
                         [&](MenuEditor& editor) { editor.SetChecked(ReadText(argv[1]), ReadFlag(argv[2])); });
}

json_object* __cdecl ctxItemEnabled(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnContextMenu(call, argc, argv,
                         [&](MenuEditor& editor) { editor.SetEnabled(ReadText(argv[1]), ReadFlag(argv[2])); });
}

json_object* __cdecl ctxRemoveItem(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnContextMenu(call, argc, argv, [&](MenuEditor& editor) { editor.RemoveItem(ReadText(argv[1])); });
}

} // namespace nxaMenu
