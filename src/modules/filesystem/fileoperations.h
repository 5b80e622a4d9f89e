#pragma once

#include <cstdint>
#include <string>

// Single-file operations of the platform.

// Copies the file over any existing destination (a read-only one excepted);
// the copy takes the source's attributes and modification time.
bool CopyFileReplacing(const std::wstring& source, const std::wstring& destination);

// Deletes a file; false for a folder, a read-only file and a missing path.
bool DeleteOneFile(const std::wstring& path);

// True when the path names an existing file (not a folder).
bool IsExistingFile(const std::wstring& path);

// The file's length in bytes; 0 when it cannot be opened for reading.
uint64_t FileLength(const std::wstring& path);
