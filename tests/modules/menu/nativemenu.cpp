#include "nativemenu.h"

namespace {

std::wstring MenuText(HMENU menu, int position)
{
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return text;
}

} // namespace

std::vector<NativeItem> ReadNativeMenu(HMENU menu)
{
    std::vector<NativeItem> items;
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        NativeItem item;
        item.id = GetMenuItemID(menu, position);
        item.state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
        if (item.state & MF_POPUP)
            item.state &= 0xFF; // the high byte counts the submenu's items
        if (item.Separator())
            item.id = 0;
        item.text = MenuText(menu, position);
        items.push_back(item);
    }
    return items;
}

std::vector<std::wstring> MenuBarTitles(HWND window)
{
    std::vector<std::wstring> titles;
    HMENU bar = GetMenu(window);
    const int count = bar ? GetMenuItemCount(bar) : 0;
    for (int position = 0; position < count; ++position)
        titles.push_back(MenuText(bar, position));
    return titles;
}

HMENU MenuBarHeader(HWND window, int position)
{
    HMENU bar = GetMenu(window);
    return bar ? GetSubMenu(bar, position) : nullptr;
}
