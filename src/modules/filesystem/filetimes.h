#pragma once

#include <string>

// The times a file or folder carries, as local date and time texts. Both
// give "" when the path's times cannot be read.

// The creation date, "YYYY-MM-DD".
std::wstring CreationDateText(const std::wstring& path);

// The time of day of the last change, "HH:MM:SS".
std::wstring LastChangeTimeText(const std::wstring& path);
