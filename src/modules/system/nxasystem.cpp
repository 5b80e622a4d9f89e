#include "nxasystem.h"

#include "commandargs.h"
#include "objectrows.h"
#include "sysdrivecommands.h"
#include "sysmachinecommands.h"
#include "sysobject.h"

#include <memory>

namespace {

using namespace nxaSystem;

// Every row but create takes the id of a Sys first; an unknown id answers
// the row's fallback.
constexpr uint32_t kSys = kObjectRow;

// The module's command table, in the order of registration: the System
// group, then the Paths, Registry, DirectX and VBScript groups.
const RowSpec kRows[] = {
    {"nxa.System.create", create, kAnyArgCount, "-1", kAnyThread},
    {"nxa.System.closeCDTray", closeCDTray, 2, "0", kSys},
    {"nxa.System.getFreeSpace", getFreeSpace, 2, "-1", kSys},
    {"nxa.System.getHDSerial", getHDSerial, 2, "\"\"", kSys},
    {"nxa.System.getNumberOfVolumes", getNumberOfVolumes, 1, "-1", kSys},
    {"nxa.System.getTotalSpace", getTotalSpace, 2, "-1", kSys},
    {"nxa.System.getVolumeName", getVolumeName, 2, "\"\"", kSys},
    {"nxa.System.openCDTray", openCDTray, 2, "0", kSys},
    {"nxa.System.get_CDDrive", get_CDDrive, 1, "\"\"", kSys},
    {"nxa.System.get_computerCompany", get_computerCompany, 1, "\"\"", kSys},
    {"nxa.System.get_computerName", get_computerName, 1, "\"\"", kSys},
    {"nxa.System.get_computerOwner", get_computerOwner, 1, "\"\"", kSys},
    {"nxa.System.get_CPUSpeed", get_CPUSpeed, 1, "-1", kSys},
    {"nxa.System.get_isAdmin", get_isAdmin, 1, "false", kSys},
    {"nxa.System.get_language", get_language, 1, "\"\"", kSys},
    {"nxa.System.get_linVerString", get_linVerString, 1, "\"\"", kSys},
    {"nxa.System.get_localTime", get_localTime, 1, "\"\"", kSys},
    {"nxa.System.get_macVerString", get_macVerString, 1, "\"\"", kSys},
    {"nxa.System.get_RAMSize", get_RAMSize, 1, "-1", kSys},
    {"nxa.System.get_servicePack", get_servicePack, 1, "\"\"", kSys},
    {"nxa.System.get_winVerString", get_winVerString, 1, "\"\"", kSys},
    {"nxa.System.get_winVerStringDetail", get_winVerStringDetail, 1, "\"\"", kSys},
    {"nxa.System.get_linVerStringDetail", get_linVerStringDetail, 1, "\"\"", kSys},
    {"nxa.System.get_macVerStringDetail", get_macVerStringDetail, 1, "\"\"", kSys},
    {"nxa.System.get_verString", get_verString, 1, "\"\"", kSys},
    {"nxa.System.get_verStringDetail", get_verStringDetail, 1, "\"\"", kSys},
};

} // namespace

struct nxaSystem::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaSystem::Definition>;

namespace nxaSystem {

json_object* __cdecl create(CallInfo*, int32_t, json_object**)
{
    return AddObject(Systems(), std::make_shared<Sys>());
}

} // namespace nxaSystem
