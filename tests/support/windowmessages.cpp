#include "windowmessages.h"

void DispatchWindowMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

POINT DragTopLevelWindow(HWND window, UINT downMessage, WPARAM buttonFlag)
{
    POINT grip = {10, 10};
    ClientToScreen(window, &grip);
    SetCursorPos(grip.x, grip.y);
    POINT cursor;
    GetCursorPos(&cursor);
    RECT start;
    GetWindowRect(window, &start);
    SendMessageW(window, downMessage, buttonFlag, MAKELPARAM(10, 10));
    POINT to = {40, 25};
    ClientToScreen(window, &to);
    SendMessageW(window, WM_MOUSEMOVE, buttonFlag, MAKELPARAM(40, 25));
    return POINT{to.x - (cursor.x - start.left), to.y - (cursor.y - start.top)};
}
