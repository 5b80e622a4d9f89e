#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class CPackage;

// The scan reads the executable in blocks of this size.
const size_t kMarkerScanBlockBytes = 64 * 1024;

// Scans the stream from its current position until it has passed the first
// package marker; true with the stream standing on the first byte after it,
// false at the end of the data. A byte that breaks a partial match is tried
// again as the first marker byte, so a marker right after a 0x14 byte is
// found.
bool FindPackageMarker(std::FILE* file);

// Opens the executable, finds the marker after the program's own sections
// (from the start when the file is no executable of this build's machine)
// and reads the package after it. The stream is closed in every case; the package's stored blocks may keep a
// read-only view of the file for as long as they live.
bool LoadPackageFromFile(const std::wstring& path, CPackage& package);
