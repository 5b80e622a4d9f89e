#include "layeredalpha.h"

void ComputeLayeredAlpha(uint32_t* overBlack, const uint32_t* overWhite, size_t pixelCount)
{
    for (size_t index = 0; index < pixelCount; ++index) {
        const uint32_t blueOverBlack = overBlack[index] & 0xFF;
        const uint32_t blueOverWhite = overWhite[index] & 0xFF;
        const uint32_t alpha = (blueOverBlack - blueOverWhite - 1) & 0xFF;
        overBlack[index] = (overBlack[index] & 0x00FFFFFF) | (alpha << 24);
    }
}
