#pragma once

#include <cstdint>
#include <string>

// What the system tells about drives named by their letter alone ("c", "D").

// The volume serial number as upper-case hexadecimal without leading zeros;
// "0" when the text is not exactly one character or the volume cannot be read.
std::wstring VolumeSerialText(const std::wstring& driveText);

enum class DiskSpace { FreeForCaller, Total };

// The space in KiB, as LowKibibytes answers it; 0 when the text is not one
// letter from a to z (either case) or the space cannot be read.
int32_t DiskSpaceKib(const std::wstring& driveText, DiskSpace which);

// The root of the first CD-ROM drive in the system's drive list, such as
// "D:\"; empty when there is none.
std::wstring FirstCdRomRoot();
