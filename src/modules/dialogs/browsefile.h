#pragma once

#include "eventdispatcher.h"
#include "openfilesettings.h"

// A movie's open-file dialog: its settings, kept from "create" until the
// module shuts down, and the movie object that hears of the choice.
class BrowseFile : public EventDispatcher {
public:
    explicit BrowseFile(const CallInfo& call) : EventDispatcher(call) {}

    OpenFileSettings settings;
};
