#pragma once

#include <cstdint>
#include <functional>
#include <string>

enum class TrayMove { Open, Close };

// Asks the drive named by the text to eject its medium (Open) or load it
// (Close): opens the device "\\.\<text>:" and sends it the storage control
// code. Answers whether the drive accepted the request; nothing happens when
// the device cannot be opened.
bool MoveCdTray(const std::wstring& driveText, TrayMove move);

// Test seam: runs instead of opening the device and sending the control code
// (IOCTL_STORAGE_EJECT_MEDIA or IOCTL_STORAGE_LOAD_MEDIA), with the device
// path, and answers what the request would. An empty function restores the
// real request.
using TrayControl = std::function<bool(const std::wstring& devicePath, uint32_t controlCode)>;
void SetTrayControl(TrayControl control);
