#pragma once

#include <wx/string.h>

#include <cstdint>

// Facts about the machine, the operating system and the logged-on user. Each
// is read when asked, changes nothing and may be asked from any thread.

// The computer's name; empty when the query fails.
wxString ComputerName();
// The registered organisation of the machine's registry; empty when it
// cannot be read.
wxString RegisteredOrganisation();
// The login name of the user who runs the program (the environment's
// "username" when the system does not say); empty when neither does.
wxString LoginName();
// The first processor's clock rate in MHz as the machine's registry records
// it; 0 when it cannot be read.
int32_t CpuSpeedMhz();
// The installed physical memory in KiB: the low 32 bits of the 64-bit count.
int32_t PhysicalMemoryKib();
// Whether the calling user runs with administrator rights.
bool UserIsAdmin();
// The name of the system's default language, such as "English (United States)".
wxString SystemLanguageName();
// The local time as "HH:MM:SS", 24-hour.
wxString LocalTimeText();
// The service-pack text of the system version ("Service Pack 1"); empty when
// the version cannot be read or its major number is 4 or less.
wxString ServicePackText();
// The system version as "major.minor", such as "6.1".
wxString VersionText();
// The toolkit's description of the system, such as
// "Windows 7 (build 7601, Service Pack 1)".
wxString OsDescription();
