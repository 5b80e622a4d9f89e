#include "syscdtray.h"

#include "sysdrivetexts.h"

#include <wx/msw/wrapwin.h>

#include <winioctl.h>

#include <mutex>

namespace {

std::mutex g_controlLock;
TrayControl g_control;

bool SendTrayControl(const std::wstring& devicePath, uint32_t controlCode)
{
    HANDLE device = CreateFileW(devicePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return false;
    DWORD returned = 0;
    const bool accepted = DeviceIoControl(device, controlCode, nullptr, 0, nullptr, 0, &returned, nullptr) != FALSE;
    CloseHandle(device);
    return accepted;
}

} // namespace

bool MoveCdTray(const std::wstring& driveText, TrayMove move)
{
    const uint32_t code = move == TrayMove::Open ? IOCTL_STORAGE_EJECT_MEDIA : IOCTL_STORAGE_LOAD_MEDIA;
    TrayControl control;
    {
        std::lock_guard<std::mutex> hold(g_controlLock);
        control = g_control;
    }
    const std::wstring devicePath = TrayDevicePath(driveText);
    return control ? control(devicePath, code) : SendTrayControl(devicePath, code);
}

void SetTrayControl(TrayControl control)
{
    std::lock_guard<std::mutex> hold(g_controlLock);
    g_control = std::move(control);
}
