#pragma once

#include <wx/string.h>

#include <cstdint>
#include <functional>
#include <string>

// Calling commands from tests, the way a movie does.

// The command text ["name", args...]; args is JSON text of the arguments
// without brackets ("1, \"a\"") or empty.
wxString MakeCommandText(const std::string& name, const std::string& args = std::string());

// The UTF-8 JSON text inside a reply "<string>Base64</string>"; the empty text
// for an empty string element, "<none>" for a reply of another shape.
std::string DecodeReply(const wxString& reply);

// Runs the command synchronously on this thread and answers the decoded
// result text.
std::string CallCommandSync(const std::string& name, const std::string& args = std::string(), int32_t formId = 0,
                            int32_t callerId = 0);

// Sends the command by the asynchronous road; it runs after the main thread's
// events are pumped (PumpMessagesUntil), on the main thread or the worker.
void CallCommandAsync(const std::string& name, const std::string& args = std::string(), int32_t formId = 0,
                      int32_t callerId = 0);

// The script text that the plug-in writes for a movie call.
wxString MakeScriptText(bool isAsync, int32_t formId, int32_t callerId, const wxString& commandText);

// The message pump under the name the command tests know it by
// (PumpMessagesUntil of messagepumping.h).
bool PumpEventsUntil(const std::function<bool()>& done, int timeoutMs = 5000);
