#include "formwindowhandle.h"

#include "formwork.h"

#include <wx/window.h>

HWND FindFormWindowHandle(int32_t formId)
{
    HWND handle = nullptr;
    WithForm<wxWindow>(formId, [&](wxWindow& window) { handle = window.GetHWND(); });
    return handle;
}
