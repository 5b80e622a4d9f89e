#include "menuobjects.h"

#include "nxamenu.h"

ObjectMap<ContextMenu>& ContextMenus()
{
    static ObjectMap<ContextMenu> menus(nxaMenu::Frame::Objects());
    return menus;
}

ObjectMap<MainMenu>& MainMenus()
{
    static ObjectMap<MainMenu> menus(nxaMenu::Frame::Objects());
    return menus;
}

ObjectMap<TrayMenu>& TrayMenus()
{
    static ObjectMap<TrayMenu> menus(nxaMenu::Frame::Objects());
    return menus;
}
