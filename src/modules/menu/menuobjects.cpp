#include "menuobjects.h"

#include "nxamenu.h"

ObjectMap<ContextMenu>& ContextMenus()
{
    static ObjectMap<ContextMenu> menus(nxaMenu::Objects());
    return menus;
}

ObjectMap<MainMenu>& MainMenus()
{
    static ObjectMap<MainMenu> menus(nxaMenu::Objects());
    return menus;
}

ObjectMap<TrayMenu>& TrayMenus()
{
    static ObjectMap<TrayMenu> menus(nxaMenu::Objects());
    return menus;
}
