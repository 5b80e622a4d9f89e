#pragma once

#include "asynceventqueue.h"

#include <string>

// The movie call that delivers an event: "TevOnAsyncEvent" with the event
// name, the caller id in decimal and the Base64 of the UTF-8 payload, as one
// XML invoke request. The parts are not escaped: names are the modules' own
// and the other two are digits and Base64.
std::wstring BuildEventRequest(const AsyncEventData& event);
