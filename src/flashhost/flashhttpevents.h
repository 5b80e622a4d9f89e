#pragma once

#include <wx/event.h>

// Posted by a request's thread to its FlashHttpCurl: data events (no payload:
// the data waits in the request's backlog), then one done or failed event.
wxDECLARE_EVENT(FlashHttpDataEvent, wxThreadEvent);
wxDECLARE_EVENT(FlashHttpDoneEvent, wxThreadEvent);
wxDECLARE_EVENT(FlashHttpFailedEvent, wxThreadEvent);
