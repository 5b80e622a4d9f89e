#pragma once

#include "asyncevent.h"
#include "replytexts.h"

#include <cstdint>
#include <string>
#include <vector>

// Reading the module's answers in tests.


// An event as "name payload", payload as sent, in UTF-8.
std::string EventText(const AsyncEventData& event);

// Makes the call by the asynchronous road and pumps the main thread's events
// until it has run (a marker call sent after it has come through); false
// when that took longer than the bound.
bool CallAsyncAndWait(const std::string& name, const std::string& args, int32_t callerId, int timeoutMs = 30000);

// The text as json-c writes it as a JSON string ("\\" doubled, "/" as "\/").
std::string JsonString(const std::string& utf8);
