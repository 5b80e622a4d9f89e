#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// 64-bit file positions on a C stream (origin as for fseek).
bool SeekFile(std::FILE* file, int64_t offset, int origin);
int64_t TellFile(std::FILE* file); // -1 on failure

// Opens a file by its wide path (on Windows through the wide C runtime call,
// elsewhere through the UTF-8 form of the path).
std::FILE* OpenFileWide(const std::wstring& path, const wchar_t* mode);

// Reads an open stream from its start to its end into a new array.
// On failure to take the size (or a size of 2 GiB and more) the length is -1;
// on a short read or a failed allocation the array is null and the length 0.
bool ReadWholeStream(std::FILE* file, std::unique_ptr<unsigned char[]>& bytes, long& length);

// Reads a whole file. When the file cannot be opened both outputs are left
// as they were; otherwise as ReadWholeStream.
bool ReadWholeFile(const std::wstring& path, std::unique_ptr<unsigned char[]>& bytes, long& length);

// Creates or truncates the file and writes the bytes; true when all were written.
bool WriteWholeFile(const std::wstring& path, const unsigned char* bytes, long length);

// Writes the bytes at the end of the file, creating it when missing; true when
// all were written and the file closed without error.
bool AppendFileBytes(const std::wstring& path, const unsigned char* bytes, long length);
