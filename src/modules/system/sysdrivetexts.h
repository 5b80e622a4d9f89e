#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The texts and numbers of the drive commands, apart from the system calls
// that feed them.

// The root path "x:\" of a drive named by its letter alone.
std::wstring DriveRoot(const std::wstring& driveText);

// A volume serial number as upper-case hexadecimal without leading zeros.
std::wstring SerialNumberText(uint32_t serial);

// The root that the space commands ask about: the drive text lower-cased,
// which must then be one letter from a to z; empty for any other text.
std::wstring SpaceQueryRoot(const std::wstring& driveText);

// A byte count in whole KiB as a 32-bit answer: the low 32 bits of the 64-bit
// quotient, so 2 TiB and more read as negative or wrap.
int32_t LowKibibytes(uint64_t bytes);

// The first root of a drive-string list (roots separated by NUL characters,
// as the system lists its logical drives) that the test accepts; empty when
// none does.
std::wstring FirstRootWhere(const std::wstring& rootList, const std::function<bool(const std::wstring&)>& accepts);

// The device path of the drive for the tray requests: "\\.\" + text + ":".
std::wstring TrayDevicePath(const std::wstring& driveText);
