// The System module's table as movies know it, and the rows by the
// asynchronous road: they run on the worker and raise no events.
#include "commandcalls.h"
#include "eventcapture.h"
#include "nxasystem.h"
#include "pinnedtable.h"
#include "syscdtray.h"
#include "systemtestsupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(SystemTable, RowsInRegistrationOrder)
{
    SystemRowsTest system;
    ExpectPinnedTable(nxaSystem::Frame::Descriptor(), {
        {"nxa.System.create", kAnyArgCount, "-1"},
        {"nxa.System.closeCDTray", 2, "0"},
        {"nxa.System.getFreeSpace", 2, "-1"},
        {"nxa.System.getHDSerial", 2, "\"\""},
        {"nxa.System.getNumberOfVolumes", 1, "-1"},
        {"nxa.System.getTotalSpace", 2, "-1"},
        {"nxa.System.getVolumeName", 2, "\"\""},
        {"nxa.System.openCDTray", 2, "0"},
        {"nxa.System.get_CDDrive", 1, "\"\""},
        {"nxa.System.get_computerCompany", 1, "\"\""},
        {"nxa.System.get_computerName", 1, "\"\""},
        {"nxa.System.get_computerOwner", 1, "\"\""},
        {"nxa.System.get_CPUSpeed", 1, "-1"},
        {"nxa.System.get_isAdmin", 1, "false"},
        {"nxa.System.get_language", 1, "\"\""},
        {"nxa.System.get_linVerString", 1, "\"\""},
        {"nxa.System.get_localTime", 1, "\"\""},
        {"nxa.System.get_macVerString", 1, "\"\""},
        {"nxa.System.get_RAMSize", 1, "-1"},
        {"nxa.System.get_servicePack", 1, "\"\""},
        {"nxa.System.get_winVerString", 1, "\"\""},
        {"nxa.System.get_winVerStringDetail", 1, "\"\""},
        {"nxa.System.get_linVerStringDetail", 1, "\"\""},
        {"nxa.System.get_macVerStringDetail", 1, "\"\""},
        {"nxa.System.get_verString", 1, "\"\""},
        {"nxa.System.get_verStringDetail", 1, "\"\""},
    });
}

TEST(SystemTable, QueuedRowsRunOnTheWorkerAndRaiseNoEvents)
{
    EventCapture events;
    SystemRowsTest system;
    std::atomic<bool> trayRanOnMainThread{true};
    std::atomic<int> trayRequests{0};
    const std::thread::id mainThread = std::this_thread::get_id();
    SetTrayControl([&](const std::wstring&, uint32_t) {
        trayRanOnMainThread = std::this_thread::get_id() == mainThread;
        ++trayRequests;
        return false;
    });
    for (const char* row : {"get_computerCompany", "get_computerName", "get_computerOwner", "get_CPUSpeed",
                            "get_isAdmin", "get_language", "get_linVerString", "get_localTime", "get_macVerString",
                            "get_RAMSize", "get_servicePack", "get_winVerString", "get_winVerStringDetail",
                            "get_linVerStringDetail", "get_macVerStringDetail", "get_verString",
                            "get_verStringDetail", "getNumberOfVolumes", "get_CDDrive"})
        system.Send(row);
    for (const char* row : {"getHDSerial", "getFreeSpace", "getTotalSpace", "getVolumeName"})
        system.Send(row, "\"c\"");
    system.Send("create", "5, \"x\"");
    // Queued calls run one at a time in order: the tray request comes last.
    system.Send("openCDTray", "\"D\"");
    const bool trayCame = PumpEventsUntil([&] { return trayRequests == 1; }, 30000);
    SetTrayControl(nullptr);
    ASSERT_TRUE(trayCame);
    EXPECT_FALSE(trayRanOnMainThread);
    EXPECT_TRUE(events.Events().empty());
    // The queued create took the next id.
    EXPECT_EQ(std::to_string(std::stoi(system.Id()) + 2), CallCommandSync("nxa.System.create"));
}

} // namespace
