#pragma once

#include <cstdint>
#include <string>

// Reads the whole text as a signed 32-bit integer in the base (10 or 16):
// optional leading white space and sign, then digits of the base (base 16
// takes either letter case and an optional "0x") and nothing after them.
// False (value untouched) for anything else, including values out of range.
bool ParseInt32(const std::wstring& text, int32_t& value, int base = 10);
