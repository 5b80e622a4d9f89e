#pragma once

#include <windows.h>

// Dispatches the window messages waiting in the calling thread's queue
// (timers arrive as WM_TIMER) and returns when it is empty.
void DispatchWindowMessages();

// Grips the window at (10, 10) of its client area with the cursor there,
// presses the button (downMessage with buttonFlag) and moves to (40, 25).
// Answers where the window's top-left corner should then be if it follows
// the drag.
POINT DragTopLevelWindow(HWND window, UINT downMessage, WPARAM buttonFlag);
