#pragma once

#include <cstdint>

class wxFile;

// 32-bit integers on a toolkit file, least significant byte first.
bool StreamReadInt32(wxFile& file, int32_t& value);
bool StreamWriteInt32(int32_t value, wxFile& file);
