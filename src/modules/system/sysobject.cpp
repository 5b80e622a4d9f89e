#include "sysobject.h"

#include "nxasystem.h"

ObjectMap<Sys>& Systems()
{
    static ObjectMap<Sys> systems(nxaSystem::Frame::Objects());
    return systems;
}
