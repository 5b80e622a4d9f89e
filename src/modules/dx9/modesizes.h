#pragma once

#include "direct3dscreen.h"

#include <utility>
#include <vector>

// The sizes of the modes, by width, then height, ascending, each size once
// (the adapter lists a size once per refresh rate).
std::vector<std::pair<int32_t, int32_t>> DistinctModeSizes(std::vector<DisplayMode> modes);
