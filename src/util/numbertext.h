#pragma once

#include <cstdint>
#include <string>

// Reads the whole text as a base-10 signed 32-bit integer: optional leading
// white space and sign, then digits and nothing after them. False (value
// untouched) for anything else, including values out of range.
bool ParseInt32(const std::wstring& text, int32_t& value);
