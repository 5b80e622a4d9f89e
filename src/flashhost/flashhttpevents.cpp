#include "flashhttpevents.h"

wxDEFINE_EVENT(FlashHttpDataEvent, wxThreadEvent);
wxDEFINE_EVENT(FlashHttpDoneEvent, wxThreadEvent);
wxDEFINE_EVENT(FlashHttpFailedEvent, wxThreadEvent);
