#pragma once

#include "moduleframe.h"

#include <cstdint>
#include <string>

// The Menu module: the calling form's context menu and menu bar, the tray
// icon's menu and the tray icon itself, and the objects that hear the clicks
// on them. Its row handlers are declared in contextmenucommands.h,
// mainmenucommands.h and traymenucommands.h.
namespace nxaMenu {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects(). While it runs, the forms' and
// the tray icon's menu clicks reach the broadcasters below.
struct Definition;
using Frame = ModuleFrame<Definition>;

// Post the event to every ContextMenu, or every MainMenu, made by the movie
// of formId, in ascending id order, each addressed with its own form id and
// caller id. Any thread.
void BroadcastContextMenuEvent(int32_t formId, const std::string& eventName, const std::string& payload);
void BroadcastMainMenuEvent(int32_t formId, const std::string& eventName, const std::string& payload);
// The same for every TrayMenu, of whatever form.
void BroadcastTrayMenuEvent(const std::string& eventName, const std::string& payload);

} // namespace nxaMenu

extern template class ModuleFrame<nxaMenu::Definition>;
