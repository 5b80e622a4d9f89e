#include "keyshortcut.h"

#include <windows.h>

#include <mutex>

namespace {

std::mutex g_sinkLock;
KeyEventSink g_sink;

void SendKeyEvent(int keyCode, uint32_t flags)
{
    const KeyEvent event = {static_cast<uint8_t>(keyCode),
                            static_cast<uint8_t>(::MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC)),
                            flags};
    KeyEventSink sink;
    {
        std::lock_guard<std::mutex> hold(g_sinkLock);
        sink = g_sink;
    }
    if (sink)
        sink(event);
    else
        ::keybd_event(event.key, event.scanCode, event.flags, 0);
}

} // namespace

void TypeControlShortcut(wchar_t letter)
{
    // The low byte is the key; a letter the layout lacks gives -1, which is
    // passed on as it is.
    const int letterKey = static_cast<SHORT>(::VkKeyScanW(letter));
    SendKeyEvent(VK_CONTROL, 0);
    SendKeyEvent(letterKey, 0);
    SendKeyEvent(letterKey, KEYEVENTF_KEYUP);
    SendKeyEvent(VK_CONTROL, KEYEVENTF_KEYUP);
}

void SetKeyEventSink(KeyEventSink sink)
{
    std::lock_guard<std::mutex> hold(g_sinkLock);
    g_sink = std::move(sink);
}
