#include "sysdrivecommands.h"

#include "commandargs.h"
#include "objectrows.h"
#include "syscdtray.h"
#include "sysdrives.h"
#include "sysobject.h"

namespace {

// The drive text, the second argument, as wide text.
std::wstring DriveText(json_object** argv)
{
    return ReadText(argv[1]).ToStdWstring();
}

json_object* AnswerSpace(int32_t argc, json_object** argv, DiskSpace which)
{
    return WithObject(Systems(), argc, argv, [&](Sys&) { return MakeInt(DiskSpaceKib(DriveText(argv), which)); });
}

json_object* MoveTray(int32_t argc, json_object** argv, TrayMove move)
{
    return WithObject(Systems(), argc, argv, [&](Sys&) {
        MoveCdTray(DriveText(argv), move);
        return MakeInt(0);
    });
}

} // namespace

namespace nxaSystem {

json_object* __cdecl getHDSerial(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Systems(), argc, argv, [&](Sys&) { return MakeText(VolumeSerialText(DriveText(argv))); });
}

json_object* __cdecl getFreeSpace(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerSpace(argc, argv, DiskSpace::FreeForCaller);
}

json_object* __cdecl getTotalSpace(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerSpace(argc, argv, DiskSpace::Total);
}

json_object* __cdecl getNumberOfVolumes(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Systems(), argc, argv, [](Sys&) { return MakeInt(0); });
}

json_object* __cdecl getVolumeName(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Systems(), argc, argv, [](Sys&) { return MakeText(wxString()); });
}

json_object* __cdecl get_CDDrive(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Systems(), argc, argv, [](Sys&) { return MakeText(FirstCdRomRoot()); });
}

json_object* __cdecl openCDTray(CallInfo*, int32_t argc, json_object** argv)
{
    return MoveTray(argc, argv, TrayMove::Open);
}

json_object* __cdecl closeCDTray(CallInfo*, int32_t argc, json_object** argv)
{
    return MoveTray(argc, argv, TrayMove::Close);
}

} // namespace nxaSystem
