#pragma once

#include <string>

// The platform's long and short (8.3) forms of an existing path, whatever
// their length; "" when the platform cannot give them (a missing path).
std::wstring LongPathName(const std::wstring& path);
std::wstring ShortPathName(const std::wstring& path);
