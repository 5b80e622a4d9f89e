#pragma once

#include "objectmap.h"

// The object behind a System id: a token with no data. Every System command
// but "create" only checks that its id names one.
class Sys {
public:
    virtual ~Sys() = default;
};

// The module's Sys objects; ids count up for the whole process.
ObjectMap<Sys>& Systems();
