#pragma once

#include "commandrow.h"

#include <cstdint>

struct json_object;

// The System rows about drives and the CD tray. A drive is named by its
// letter alone ("c", "D"); the first argument is the Sys id.
namespace nxaSystem {

// (id, drive): the volume serial as upper-case hexadecimal; "0" when the text
// is not one character or the volume cannot be read.
json_object* __cdecl getHDSerial(CallInfo* call, int32_t argc, json_object** argv);
// (id, drive): KiB free for the caller, low 32 bits; 0 for a text that is not
// one letter or a drive that cannot be read.
json_object* __cdecl getFreeSpace(CallInfo* call, int32_t argc, json_object** argv);
// (id, drive): total KiB, as getFreeSpace.
json_object* __cdecl getTotalSpace(CallInfo* call, int32_t argc, json_object** argv);
// (id): 0, the volumes are not counted on this platform.
json_object* __cdecl getNumberOfVolumes(CallInfo* call, int32_t argc, json_object** argv);
// (id, index): "", volumes have no names on this platform.
json_object* __cdecl getVolumeName(CallInfo* call, int32_t argc, json_object** argv);
// (id): the root of the first CD-ROM drive ("D:\") or "".
json_object* __cdecl get_CDDrive(CallInfo* call, int32_t argc, json_object** argv);
// (id, drive): asks the drive to open (eject) or close (load) its tray; 0
// whether or not anything moved.
json_object* __cdecl openCDTray(CallInfo* call, int32_t argc, json_object** argv);
json_object* __cdecl closeCDTray(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaSystem
