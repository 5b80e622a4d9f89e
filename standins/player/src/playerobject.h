#pragma once

#include "npdefs.h"

namespace player {

class PlayerInstance;

// The instance's scriptable object: an NPObject whose methods are the six the
// browser invokes by name. Made through NPN_CreateObject with count 1.
NPObject* CreatePlayerObject(NPP npp, PlayerInstance* instance);

// Cuts the object off its instance (at NPP_Destroy): later calls fail.
void DetachPlayerObject(NPObject* object);

} // namespace player
