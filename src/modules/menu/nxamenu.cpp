#include "nxamenu.h"

#include "commandargs.h"
#include "contextmenucommands.h"
#include "eventdispatcher.h"
#include "kovaform.h"
#include "kovataskbaricon.h"
#include "mainmenucommands.h"
#include "menuobjects.h"
#include "traymenucommands.h"

namespace {

using namespace nxaMenu;

// Every row edits menus or the tray icon, which belong to the main thread.
constexpr uint32_t kMain = kMainThread;
constexpr uint32_t kMainObject = kMainThread | kObjectRow;

// The visibility and menu-type rows exist for the movie's menu classes and
// have no effect.
json_object* __cdecl ignored(CallInfo*, int32_t, json_object**)
{
    return MakeInt(0);
}

// The module's command table, in the order of registration.
const RowSpec kRows[] = {
    {"nxa.Menu.Context.create", ctxCreate, 0, "-1", kMain},
    {"nxa.Menu.Context.disable", ctxDisable, 1, "0", kMainObject},
    {"nxa.Menu.Context.enable", ctxEnable, 1, "0", kMainObject},
    {"nxa.Menu.Context.insertDivider", ctxInsertDivider, 1, "0", kMainObject},
    {"nxa.Menu.Context.insertItem", ctxInsertItem, 2, "0", kMainObject},
    {"nxa.Menu.Context.itemChecked", ctxItemChecked, 3, "0", kMainObject},
    {"nxa.Menu.Context.itemEnabled", ctxItemEnabled, 3, "0", kMainObject},
    {"nxa.Menu.Context.itemVisible", ignored, kAnyArgCount, "0", kMain},
    {"nxa.Menu.Context.removeItem", ctxRemoveItem, 2, "0", kMainObject},
    {"nxa.Menu.Context.set_menuType", ignored, kAnyArgCount, "0", kMain},

    {"nxa.Menu.Main.create", mainCreate, 0, "-1", kMain},
    {"nxa.Menu.Main.insertDivider", mainInsertDivider, 2, "0", kMainObject},
    {"nxa.Menu.Main.insertHeader", mainInsertHeader, 2, "0", kMainObject},
    {"nxa.Menu.Main.insertItem", mainInsertItem, 3, "0", kMainObject},
    {"nxa.Menu.Main.itemChecked", mainItemChecked, 4, "0", kMainObject},
    {"nxa.Menu.Main.itemEnabled", mainItemEnabled, 4, "0", kMainObject},
    {"nxa.Menu.Main.itemVisible", ignored, 4, "0", kMainObject},
    {"nxa.Menu.Main.removeHeader", mainRemoveHeader, 2, "0", kMainObject},
    {"nxa.Menu.Main.removeItem", mainRemoveItem, 3, "0", kMainObject},
    {"nxa.Menu.Main.set_menuType", ignored, 2, "0", kMainObject},

    {"nxa.Menu.Tray.create", trayCreate, 0, "-1", kMain},
    {"nxa.Menu.Tray.hideIcon", trayHideIcon, 1, "0", kMainObject},
    {"nxa.Menu.Tray.insertDivider", trayInsertDivider, 1, "0", kMainObject},
    {"nxa.Menu.Tray.insertItem", trayInsertItem, 2, "0", kMainObject},
    {"nxa.Menu.Tray.itemChecked", trayItemChecked, 3, "0", kMainObject},
    {"nxa.Menu.Tray.itemEnabled", trayItemEnabled, 3, "0", kMainObject},
    {"nxa.Menu.Tray.itemVisible", ignored, kAnyArgCount, "0", kMain},
    {"nxa.Menu.Tray.removeItem", trayRemoveItem, 2, "0", kMainObject},
    {"nxa.Menu.Tray.setIcon", traySetIcon, 2, "0", kMainObject},
    {"nxa.Menu.Tray.showBalloon", trayShowBalloon, 6, "0", kMainObject},
    {"nxa.Menu.Tray.showIcon", trayShowIcon, 1, "0", kMainObject},
    {"nxa.Menu.Tray.set_iconHint", traySetTooltip, 2, "0", kMainObject},
    {"nxa.Menu.Tray.set_menuType", traySetTooltip, 2, "0", kMainObject},
};

static_assert(sizeof(kRows) / sizeof(kRows[0]) == 33, "the Menu module has 33 rows");

// A form's click: the menu bar's go to its MainMenu objects, the context
// menu's to its ContextMenu objects.
void RouteFormClick(int32_t formId, const std::string& eventName, const std::string& payload)
{
    if (eventName == "onMenuClick")
        BroadcastMainMenuEvent(formId, eventName, payload);
    else
        BroadcastContextMenuEvent(formId, eventName, payload);
}

template <class T>
void BroadcastToForm(const ObjectMap<T>& objects, int32_t formId, const std::string& eventName,
                     const std::string& payload)
{
    ::BroadcastEvent(objects, wxString::FromUTF8(eventName), wxString::FromUTF8(payload),
                     [formId](const T& object) { return object.formId == formId; });
}

} // namespace

struct nxaMenu::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
    // The forms' and the tray icon's menu clicks reach the broadcasters
    // while the module runs.
    static bool Start()
    {
        KovaForm::SetMenuClickReceiver(RouteFormClick);
        KovaTaskBarIcon::SetMenuClickReceiver(nxaMenu::BroadcastTrayMenuEvent);
        return true;
    }
    static void Stop()
    {
        KovaForm::SetMenuClickReceiver(nullptr);
        KovaTaskBarIcon::SetMenuClickReceiver(nullptr);
    }
};

template class ModuleFrame<nxaMenu::Definition>;

namespace nxaMenu {

void BroadcastContextMenuEvent(int32_t formId, const std::string& eventName, const std::string& payload)
{
    BroadcastToForm(ContextMenus(), formId, eventName, payload);
}

void BroadcastMainMenuEvent(int32_t formId, const std::string& eventName, const std::string& payload)
{
    BroadcastToForm(MainMenus(), formId, eventName, payload);
}

void BroadcastTrayMenuEvent(const std::string& eventName, const std::string& payload)
{
    ::BroadcastEvent(TrayMenus(), wxString::FromUTF8(eventName), wxString::FromUTF8(payload));
}

} // namespace nxaMenu
