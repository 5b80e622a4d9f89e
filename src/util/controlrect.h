#pragma once

#include <cstdint>
#include <string>

struct ControlRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Places a child control in a parent client area of the given size.
// Width and height texts: a number of pixels or "N%" of the parent size
// (N clamped to 1..100). x: a number, "c", "l" or "r"; y: a number, "c", "t"
// or "b" (any case). False, with rect untouched, when a text cannot be read.
bool ComputeControlRect(int32_t parentWidth, int32_t parentHeight,
                        const std::wstring& xText, const std::wstring& yText,
                        const std::wstring& widthText, const std::wstring& heightText,
                        ControlRect& rect);
