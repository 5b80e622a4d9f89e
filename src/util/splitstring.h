#pragma once

#include <string>
#include <vector>

// Appends the pieces of text between occurrences of separator to list
// ("a|b|" gives "a", "b", ""; an empty separator gives the whole text).
// True when the list then holds more than one entry.
bool SplitString(const std::wstring& text, const std::wstring& separator, std::vector<std::wstring>& list);

// SplitString with the separator "|".
bool SplitByPipe(const std::wstring& text, std::vector<std::wstring>& list);
