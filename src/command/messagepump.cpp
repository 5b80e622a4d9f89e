#include "messagepump.h"

#include <wx/msw/wrapwin.h>

void PumpMessages()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The quit message belongs to the loop that is to end: put it
            // back for that loop and stop here.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got > 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}
