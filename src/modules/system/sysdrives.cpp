#include "sysdrives.h"

#include "sysdrivetexts.h"

#include <wx/msw/wrapwin.h>

namespace {

// Room for every drive's root: 26 times "x:\" and its NUL, with the list's end.
const DWORD kDriveListLength = 260;

} // namespace

std::wstring VolumeSerialText(const std::wstring& driveText)
{
    if (driveText.size() != 1)
        return L"0";
    DWORD serial = 0;
    DWORD longestName = 0;
    DWORD fileSystemFlags = 0;
    if (!GetVolumeInformationW(DriveRoot(driveText).c_str(), nullptr, 0, &serial, &longestName, &fileSystemFlags,
                               nullptr, 0))
        return L"0";
    return SerialNumberText(serial);
}

int32_t DiskSpaceKib(const std::wstring& driveText, DiskSpace which)
{
    const std::wstring root = SpaceQueryRoot(driveText);
    if (root.empty())
        return 0;
    ULARGE_INTEGER freeForCaller = {};
    ULARGE_INTEGER total = {};
    if (!GetDiskFreeSpaceExW(root.c_str(), &freeForCaller, &total, nullptr))
        return 0;
    return LowKibibytes(which == DiskSpace::Total ? total.QuadPart : freeForCaller.QuadPart);
}

std::wstring FirstCdRomRoot()
{
    wchar_t list[kDriveListLength] = {};
    const DWORD length = GetLogicalDriveStringsW(kDriveListLength, list);
    if (length == 0 || length >= kDriveListLength)
        return std::wstring();
    return FirstRootWhere(std::wstring(list, length),
                          [](const std::wstring& root) { return GetDriveTypeW(root.c_str()) == DRIVE_CDROM; });
}
