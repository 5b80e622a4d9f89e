#pragma once

// Dispatches the window messages waiting in the calling thread's queue
// (timers arrive as WM_TIMER) and returns when it is empty.
void DispatchWindowMessages();
