#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One entry of a native menu as the system shows it.
struct NativeItem {
    UINT id;          // the command id; 0 for a separator
    UINT state;       // GetMenuState's flags (MF_CHECKED 8, MF_GRAYED 1, MF_SEPARATOR 0x800)
    std::wstring text;

    bool Checked() const { return (state & MF_CHECKED) != 0; }
    bool Grayed() const { return (state & MF_GRAYED) != 0; }
    bool Separator() const { return (state & MF_SEPARATOR) != 0; }
};

// The entries of a native menu, in order; empty for a null menu.
std::vector<NativeItem> ReadNativeMenu(HMENU menu);

// The titles of a window's menu bar, in order; empty when it has none.
std::vector<std::wstring> MenuBarTitles(HWND window);
// The menu under the bar's title at that position; null when there is none.
HMENU MenuBarHeader(HWND window, int position);
