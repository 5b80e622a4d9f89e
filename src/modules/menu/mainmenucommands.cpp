#include "mainmenucommands.h"

#include "formwork.h"
#include "kovaform.h"
#include "menubarheaders.h"
#include "menueditor.h"
#include "menuitemids.h"
#include "menuobjects.h"
#include "objectrows.h"

#include <wx/menu.h>

namespace {

// Runs the work on the calling form's menu bar, attached first when the form
// has none, for the MainMenu named by the first argument; answers 0 (the
// row's fallback when the id is unknown). Main thread.
template <class Work>
json_object* OnMenuBar(CallInfo* call, int32_t argc, json_object** argv, Work&& work)
{
    return WithObject(MainMenus(), argc, argv, [&](const MainMenu&) {
        WithForm<KovaForm>(call->formId, [&](KovaForm& form) { work(*form.GetOrCreateMenuBar()); });
        return MakeInt(0);
    });
}

// The same with an editor of the header that the second argument names; a
// title no header has changes nothing (but the bar is attached).
template <class Edit>
json_object* OnHeader(CallInfo* call, int32_t argc, json_object** argv, Edit&& edit)
{
    return OnMenuBar(call, argc, argv, [&](wxMenuBar& bar) {
        if (wxMenu* header = MenuBarHeaders(bar).Find(ReadText(argv[1]))) {
            MenuEditor editor(*header, ProcessMenuItemIds());
            edit(editor);
        }
    });
}

} // namespace

namespace nxaMenu {

json_object* __cdecl mainCreate(CallInfo* call, int32_t, json_object**)
{
    return AddObject(MainMenus(), std::make_shared<MainMenu>(*call));
}

json_object* __cdecl mainInsertDivider(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnHeader(call, argc, argv, [](MenuEditor& editor) { editor.InsertDivider(); });
}

json_object* __cdecl mainInsertHeader(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnMenuBar(call, argc, argv, [&](wxMenuBar& bar) { MenuBarHeaders(bar).Insert(ReadText(argv[1])); });
}

json_object* __cdecl mainInsertItem(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnHeader(call, argc, argv, [&](MenuEditor& editor) { editor.InsertItem(ReadText(argv[2])); });
}

json_object* __cdecl mainItemChecked(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnHeader(call, argc, argv,
                    [&](MenuEditor& editor) { editor.SetChecked(ReadText(argv[2]), ReadFlag(argv[3])); });
}

json_object* __cdecl mainItemEnabled(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnHeader(call, argc, argv,
                    [&](MenuEditor& editor) { editor.SetEnabled(ReadText(argv[2]), ReadFlag(argv[3])); });
}

json_object* __cdecl mainRemoveHeader(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnMenuBar(call, argc, argv,
                     [&](wxMenuBar& bar) { MenuBarHeaders(bar).Remove(ReadText(argv[1]), ProcessMenuItemIds()); });
}

json_object* __cdecl mainRemoveItem(CallInfo* call, int32_t argc, json_object** argv)
{
    return OnHeader(call, argc, argv, [&](MenuEditor& editor) { editor.RemoveItem(ReadText(argv[2])); });
}

} // namespace nxaMenu
