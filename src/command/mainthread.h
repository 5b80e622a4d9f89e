#pragma once

#include <functional>

// Windows, the plug-in, COM objects made on the main thread, toolkit timers and
// processes belong to the main thread, but asynchronous calls run on the
// command centre's worker. A handler that touches any of them does so through
// RunOnMainThread:
//
//   int32_t width = -1;
//   RunOnMainThread([&] { width = form->GetClientSize().x; });
//
// On the main thread the work runs at once. On any other thread it is queued
// to the main thread's event loop and the caller waits until it has run. Hold
// no lock while calling: the main thread may need it meanwhile.
//
// Returns false when the work did not run: there is no application object, or
// shut-down has begun (CancelMainThreadWork). A waiting caller is then woken
// at once, so stopping the worker never waits on the main thread.
bool RunOnMainThread(const std::function<void()>& work);

// Shut-down, on the main thread: wakes every thread waiting in
// RunOnMainThread (their work will not run) and refuses later work from other
// threads until AllowMainThreadWork.
void CancelMainThreadWork();
void AllowMainThreadWork();

// True from CancelMainThreadWork until AllowMainThreadWork: long waits on other
// threads (delays, shakes) check it and end early, so stopping the worker
// rarely has to cut a call off.
bool IsShuttingDown();
