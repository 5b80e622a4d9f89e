#include "formwindowhandle.h"

#include "commandcentre.h"
#include "mainthread.h"
#include "movieform.h"

#include <wx/window.h>

HWND FindFormWindowHandle(int32_t formId)
{
    HWND handle = nullptr;
    RunOnMainThread([&] {
        auto* window = dynamic_cast<wxWindow*>(CommandCentre::Get().FindForm(formId));
        if (window)
            handle = window->GetHWND();
    });
    return handle;
}
