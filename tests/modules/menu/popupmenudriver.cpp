#include "popupmenudriver.h"

#include "waituntil.h"

#include <cwchar>

namespace {

const UINT kGetMenuHandle = 0x01E1; // MN_GETHMENU
const int kShowWaitMs = 10000;
const int kCloseWaitMs = 5000;

BOOL CALLBACK FindOwnPopup(HWND window, LPARAM found)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (wcscmp(className, L"#32768") != 0 || process != GetCurrentProcessId() || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The shown pop-up menu window of this process; null when none shows.
HWND ShownPopup()
{
    HWND found = nullptr;
    EnumWindows(FindOwnPopup, reinterpret_cast<LPARAM>(&found));
    return found;
}

void PressKey(BYTE key)
{
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    const DWORD extended = key == VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0;
    keybd_event(key, scan, extended, 0);
    keybd_event(key, scan, extended | KEYEVENTF_KEYUP, 0);
}

} // namespace

PopupMenuDriver::PopupMenuDriver(int pickPosition)
    : m_pickPosition(pickPosition), m_thread([this] { Run(); })
{
}

PopupMenuDriver::~PopupMenuDriver()
{
    Join();
}

bool PopupMenuDriver::Join()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_shown && m_closed;
}

void PopupMenuDriver::Run()
{
    HWND popup = nullptr;
    m_shown = WaitUntil([&] { return (popup = ShownPopup()) != nullptr; }, kShowWaitMs, nullptr, 10);
    if (!m_shown)
        return;
    DWORD_PTR menu = 0;
    SendMessageTimeoutW(popup, kGetMenuHandle, 0, 0, SMTO_ABORTIFHUNG, 2000, &menu);
    m_items = ReadNativeMenu(reinterpret_cast<HMENU>(menu));
    Pick(m_pickPosition);
    m_closed = WaitUntil([] { return ShownPopup() == nullptr; }, kCloseWaitMs, nullptr, 10);
    if (m_closed)
        return;
    // The pick went wrong: close the menu rather than leave it open.
    EndMenu();
    PressKey(VK_ESCAPE);
    WaitUntil([] { return ShownPopup() == nullptr; }, kCloseWaitMs, nullptr, 10);
}

void PopupMenuDriver::Pick(int pickPosition) const
{
    if (pickPosition < 0 || pickPosition >= static_cast<int>(m_items.size())) {
        PressKey(VK_ESCAPE);
        return;
    }
    // Down moves over entries, skipping separators; the first Down selects
    // the first entry.
    for (int position = 0; position <= pickPosition; ++position) {
        if (!m_items[static_cast<size_t>(position)].Separator())
            PressKey(VK_DOWN);
    }
    PressKey(VK_RETURN);
}
