#pragma once

#include <string>

// The floor of one synchronous call: the work that any road from the movie to
// a row and back must do with the call text. Decodes its Base64, parses the
// JSON with json-c, serialises the value again and encodes that as Base64.
// Returns nanoseconds per call, over `calls` calls.
double CallFloorNs(const std::string& callText, int calls);
