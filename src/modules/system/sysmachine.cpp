#include "sysmachine.h"

#include "machineregistry.h"

#include <wx/datetime.h>
#include <wx/msw/wrapwin.h>
#include <wx/utils.h>

namespace {

const wchar_t kVersionKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion";
const wchar_t kProcessorKey[] = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
const DWORD kLanguageNameLength = 256;
// The shell's administrator test is exported by this ordinal only on some
// systems, so it is looked up by number.
const WORD kIsUserAnAdminOrdinal = 680;

} // namespace

wxString ComputerName()
{
    return wxGetHostName();
}

wxString RegisteredOrganisation()
{
    return ReadMachineText(kVersionKey, L"RegisteredOrganization");
}

wxString LoginName()
{
    return wxGetUserId();
}

int32_t CpuSpeedMhz()
{
    return static_cast<int32_t>(ReadMachineNumber(kProcessorKey, L"~MHz"));
}

int32_t PhysicalMemoryKib()
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status))
        return 0;
    return static_cast<int32_t>(static_cast<uint32_t>(status.ullTotalPhys / 1024));
}

bool UserIsAdmin()
{
    using AdminTest = BOOL(WINAPI*)();
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    if (!shell)
        return false;
    const auto test = reinterpret_cast<AdminTest>(
        reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(kIsUserAnAdminOrdinal))));
    const bool admin = test && test();
    FreeLibrary(shell);
    return admin;
}

wxString SystemLanguageName()
{
    wchar_t name[kLanguageNameLength] = {};
    VerLanguageNameW(GetSystemDefaultLangID(), name, kLanguageNameLength);
    name[kLanguageNameLength - 1] = L'\0';
    return wxString(name);
}

wxString LocalTimeText()
{
    return wxDateTime::Now().Format(L"%H:%M:%S");
}

wxString ServicePackText()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version) || version.dwMajorVersion <= 4)
        return wxString();
    return wxString(version.szCSDVersion);
}

wxString VersionText()
{
    int major = 0;
    int minor = 0;
    wxGetOsVersion(&major, &minor);
    return wxString::Format(L"%d.%d", major, minor);
}

wxString OsDescription()
{
    return wxGetOsDescription();
}
