#include "modesizes.h"

#include <algorithm>

std::vector<std::pair<int32_t, int32_t>> DistinctModeSizes(std::vector<DisplayMode> modes)
{
    std::vector<std::pair<int32_t, int32_t>> sizes;
    sizes.reserve(modes.size());
    for (const DisplayMode& mode : modes)
        sizes.emplace_back(mode.width, mode.height);
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}
