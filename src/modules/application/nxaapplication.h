#pragma once

#include "moduleframe.h"

#include <cstdint>
#include <string>

struct json_object;

// The Application module: the main form's window state and title, forms from
// movie files, leaving the application, the command line, environment and
// project variables, timers, speech, printing, library files and the kiosk
// key lock. Its row handlers are declared in the namespace's other headers
// (applicationcommands.h, applicationlibrarycommands.h,
// applicationtimercommands.h, applicationkioskcommands.h).
//
// nxaApplication is a namespace, not a class, so that each group of handlers
// can be declared in its own header; callers write nxaApplication::Name as
// they would for static members.
namespace nxaApplication {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// Posts the event to every Application object of every form, in ascending id
// order, each addressed with its own form id and caller id. Any thread.
void BroadcastEvent(const std::string& payload, const std::string& eventName);
// The same, only to the Application objects created by the movie of formId.
void BroadcastFormEvent(int32_t formId, const std::string& eventName, const std::string& payload);

} // namespace nxaApplication

extern template class ModuleFrame<nxaApplication::Definition>;
