#include "balloonrequest.h"

#include <algorithm>

namespace {

const UINT kToolkitIconId = 99;
const DWORD kNoSound = 0x10;

DWORD BalloonIcon(const std::wstring& kind)
{
    if (kind == L"info")
        return NIIF_INFO;
    if (kind == L"warning")
        return NIIF_WARNING;
    if (kind == L"error")
        return NIIF_ERROR;
    return NIIF_NONE;
}

// Copies at most what the field holds, leaving room for the closing NUL.
template <size_t N>
void CopyBounded(wchar_t (&field)[N], const std::wstring& text)
{
    const size_t count = std::min(text.size(), N - 1);
    std::copy_n(text.data(), count, field);
    field[count] = L'\0';
}

} // namespace

NOTIFYICONDATAW BuildBalloonRequest(HWND window, const std::wstring& kind, const std::wstring& text,
                                    const std::wstring& title, UINT timeoutMs)
{
    NOTIFYICONDATAW request = {};
    request.cbSize = sizeof request;
    request.hWnd = window;
    request.uID = kToolkitIconId;
    request.uFlags = NIF_INFO;
    CopyBounded(request.szInfo, text);
    request.uTimeout = timeoutMs;
    CopyBounded(request.szInfoTitle, title);
    request.dwInfoFlags = BalloonIcon(kind) | kNoSound;
    return request;
}
