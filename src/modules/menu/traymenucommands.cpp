#include "traymenucommands.h"

#include "appstate.h"
#include "kovataskbaricon.h"
#include "mainthread.h"
#include "menueditor.h"
#include "menuitemids.h"
#include "menuobjects.h"
#include "objectrows.h"

namespace {

// Runs the work on the application's tray icon, on the main thread, for the
// TrayMenu named by the first argument; answers 0 (the row's fallback when
// the id is unknown). Without a tray icon nothing runs.
template <class Work>
json_object* OnTrayIcon(int32_t argc, json_object** argv, Work&& work)
{
    return WithObject(TrayMenus(), argc, argv, [&](const TrayMenu&) {
        RunOnMainThread([&] {
            if (KovaTaskBarIcon* icon = GetAppState().TrayIcon())
                work(*icon);
        });
        return MakeInt(0);
    });
}

// The same with an editor of the tray icon's menu.
template <class Edit>
json_object* OnTrayMenu(int32_t argc, json_object** argv, Edit&& edit)
{
    return OnTrayIcon(argc, argv, [&](KovaTaskBarIcon& icon) {
        MenuEditor editor(icon.Items(), ProcessMenuItemIds());
        edit(editor);
    });
}

} // namespace

namespace nxaMenu {

json_object* __cdecl trayCreate(CallInfo* call, int32_t, json_object**)
{
    return AddObject(TrayMenus(), std::make_shared<TrayMenu>(*call));
}

json_object* __cdecl trayHideIcon(CallInfo*, int32_t argc, json_object** argv)
{
    return OnTrayIcon(argc, argv, [](KovaTaskBarIcon& icon) { icon.RemoveIcon(); });
}

json_object* __cdecl trayInsertDivider(CallInfo*, int32_t argc, json_object** argv)
{
    return OnTrayMenu(argc, argv, [](MenuEditor& editor) { editor.InsertDivider(); });
}

json_object* __cdecl trayInsertItem(CallInfo*, int32_t argc, json_object** argv)
{
    return OnTrayMenu(argc, argv, [&](MenuEditor& editor) { editor.InsertItem(ReadText(argv[1])); });
}

json_object* __cdecl trayItemChecked(CallInfo*, int32_t argc, json_object** argv)
{
    return OnTrayMenu(argc, argv,
                      [&](MenuEditor& editor) { editor.SetChecked(ReadText(argv[1]), ReadFlag(argv[2])); });
}

json_object* __cdecl trayItemEnabled(CallInfo*, int32_t argc, json_object** argv)
{
    return OnTrayMenu(argc, argv,
                      [&](MenuEditor& editor) { editor.SetEnabled(ReadText(argv[1]), ReadFlag(argv[2])); });
}

json_object* __cdecl trayRemoveItem(CallInfo*, int32_t argc, json_object** argv)
{
    return OnTrayMenu(argc, argv, [&](MenuEditor& editor) { editor.RemoveItem(ReadText(argv[1])); });
}

json_object* __cdecl traySetIcon(CallInfo*, int32_t argc, json_object** argv)
{
    return OnTrayIcon(argc, argv, [&](KovaTaskBarIcon& icon) { icon.SetIconFromFile(ReadText(argv[1])); });
}

json_object* __cdecl trayShowBalloon(CallInfo*, int32_t argc, json_object** argv)
{
    return OnTrayIcon(argc, argv, [&](KovaTaskBarIcon& icon) {
        icon.ShowBalloon(ReadText(argv[3]), ReadText(argv[1]), ReadText(argv[2]), ReadInt(argv[4]));
    });
}

json_object* __cdecl trayShowIcon(CallInfo*, int32_t argc, json_object** argv)
{
    return OnTrayIcon(argc, argv, [](KovaTaskBarIcon& icon) { icon.ShowStoredIcon(); });
}

json_object* __cdecl traySetTooltip(CallInfo*, int32_t argc, json_object** argv)
{
    return OnTrayIcon(argc, argv, [&](KovaTaskBarIcon& icon) {
        icon.SetTooltip(ReadText(argv[1]));
        icon.ShowStoredIcon();
    });
}

} // namespace nxaMenu
