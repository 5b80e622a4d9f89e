#pragma once

#include <string>
#include <vector>

// Appends the full path of every file matching pattern in folder and in all
// folders below it. A folder's own matches are listed where its first file
// is met in the enumeration.
void ListFilesRecursive(const std::wstring& folder, const std::wstring& pattern, std::vector<std::wstring>& list);
