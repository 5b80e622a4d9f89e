#pragma once

#include <cstddef>
#include <cstdint>

// Recovers per-pixel alpha from one frame drawn twice, once over opaque black
// and once over opaque white (32-bit pixels, blue in the low byte): the alpha
// of each pixel over black becomes 255 - (white blue - black blue), mod 256.
// The colour over black is already multiplied by that alpha, as layered
// windows want it.
void ComputeLayeredAlpha(uint32_t* overBlack, const uint32_t* overWhite, size_t pixelCount);
