#pragma once

#include <wx/msw/wrapwin.h>

#include <shellapi.h>

#include <string>

// The notification-icon record that shows a balloon on the icon the toolkit
// added under id 99 to the window. Text and title are cut to what their
// fields hold (255 and 63 characters); the kind "info", "warning" or "error"
// picks the icon, any other text none; the balloon never plays a sound.
NOTIFYICONDATAW BuildBalloonRequest(HWND window, const std::wstring& kind, const std::wstring& text,
                                    const std::wstring& title, UINT timeoutMs);
