#pragma once

#include "npdefs.h"

#include <wx/event.h>

// One URL request of the plug-in. The host serves the notifying forms;
// each answers an NPAPI error code, and 0 means a stream and a notification
// will follow on the main thread.
class FlashHttp : public wxEvtHandler {
public:
    virtual NPError GetURL(NPP npp, const char* url, const char* target) = 0;
    virtual NPError PostURL(NPP npp, const char* url, const char* target, uint32_t length, const char* buffer,
                            NPBool file) = 0;
    virtual NPError GetURLNotify(NPP npp, const char* url, const char* target, void* notifyData) = 0;
    virtual NPError PostURLNotify(NPP npp, const char* url, const char* target, uint32_t length, const char* buffer,
                                  NPBool file, void* notifyData) = 0;
};
