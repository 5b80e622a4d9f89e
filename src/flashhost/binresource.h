#pragma once

#include <cstdint>

// Finds the resource of type "BIN" with this id in the program's own
// executable. On success points bytes at its data, which stays valid and
// read-only for the life of the process, and sets size. A missing or empty
// resource gives false with bytes NULL and size 0.
bool LoadBinResource(std::uint16_t resourceId, const std::uint8_t*& bytes, std::uint32_t& size);
