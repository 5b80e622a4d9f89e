#pragma once

#include "eventdispatcher.h"

#include <wx/string.h>

// A movie's folder dialog: where it opens and its message.
class BrowseFolder : public EventDispatcher {
public:
    explicit BrowseFolder(const CallInfo& call) : EventDispatcher(call) {}

    wxString defaultDirectory;
    wxString title = "Choose a directory";
};
