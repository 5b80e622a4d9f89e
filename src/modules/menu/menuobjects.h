#pragma once

#include "eventdispatcher.h"
#include "objectmap.h"

// The movie's menu objects, one kind per menu. They own no menu: the context
// menu and the menu bar belong to the form, the tray menu to the tray icon.
// Each object hears the clicks of its kind, addressed to the form and script
// object that made it.
enum class MenuKind { kContext, kMain, kTray };

template <MenuKind Kind>
class MenuObject : public EventDispatcher {
public:
    explicit MenuObject(const CallInfo& call) : EventDispatcher(call) {}
};

using ContextMenu = MenuObject<MenuKind::kContext>;
using MainMenu = MenuObject<MenuKind::kMain>;
using TrayMenu = MenuObject<MenuKind::kTray>;

// One map per kind, each with ids from 0.
ObjectMap<ContextMenu>& ContextMenus();
ObjectMap<MainMenu>& MainMenus();
ObjectMap<TrayMenu>& TrayMenus();
