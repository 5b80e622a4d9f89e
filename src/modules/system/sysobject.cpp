#include "sysobject.h"

#include "nxasystem.h"

ObjectMap<Sys>& Systems()
{
    static ObjectMap<Sys> systems(nxaSystem::Objects());
    return systems;
}
