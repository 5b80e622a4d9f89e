#pragma once

#include <wx/msw/wrapwin.h>

#include <cstdint>

// The native window of the form registered under the id in the command
// centre, or null when there is none (a queued call whose form has closed) or
// the form has no window. Looks on the main thread whichever thread asks.
HWND FindFormWindowHandle(int32_t formId);
