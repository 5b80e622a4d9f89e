// The built-in modules' tables as movies know them: names, counts and
// fallbacks, in registration order.
#include "modulelist.h"
#include "nxaapplication.h"
#include "nxadx9.h"
#include "pinnedtable.h"
#include "scopedcommandcentre.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ModuleTables, Application)
{
    ScopedCommandCentre centre{BuiltInModules()};
    ASSERT_TRUE(centre.Initialised());
    std::vector<PinnedRow> pinned = {
        {"nxa.Application.create", 0, "-1"},
        {"nxa.Application.bringToFront", 1, "0"},
        {"nxa.Application.createForm", 8, "false"},
        {"nxa.Application.delay", 2, "0"},
        {"nxa.Application.doEvents", 1, "0"},
        {"nxa.Application.enableExitHandler", 1, "0"},
        {"nxa.Application.exit", 3, "0"},
        {"nxa.Application.exitWithCode", 2, "0"},
        {"nxa.Application.getCMDParams", 2, "\"\""},
        {"nxa.Application.getEnvVar", 2, "\"\""},
        {"nxa.Application.getFormNames", 1, "[]"},
        {"nxa.Application.getGlobalVar", 2, "\"\""},
        {"nxa.Application.getSecureVar", 2, "\"\""},
        {"nxa.Application.init", kAnyArgCount, "0"},
        {"nxa.Application.maximize", 1, "0"},
        {"nxa.Application.minimize", 1, "0"},
        {"nxa.Application.minimizeToTray", 2, "0"},
        {"nxa.Application.printVar", 3, "0"},
        {"nxa.Application.restore", 1, "0"},
        {"nxa.Application.say", 2, "0"},
        {"nxa.Application.sendToBack", 1, "0"},
        {"nxa.Application.setEnvVar", 3, "0"},
        {"nxa.Application.shake", 2, "0"},
        {"nxa.Application.get_filename", 1, "\"\""},
        {"nxa.Application.get_isMinimized", 1, "true"},
        {"nxa.Application.get_path", 1, "\"\""},
        {"nxa.Application.get_title", 1, "\"\""},
        {"nxa.Application.set_title", 2, "0"},
        {"nxa.Application.set_windowStaysOnTop", 2, "0"},
        {"nxa.Application.Library.create", 0, "-1"},
        {"nxa.Application.Library.extractAllToDir", 2, "false"},
        {"nxa.Application.Library.extractAllToExecPath", 1, "false"},
        {"nxa.Application.Library.extractToExecPath", 3, "false"},
        {"nxa.Application.Library.extractToFile", 3, "false"},
        {"nxa.Application.Library.extractToVar", 2, "\"\""},
        {"nxa.Application.Kiosk.create", 0, "-1"},
    };
    std::vector<std::string> kioskNames;
    for (const char* action : {"disable", "enable"}) {
        for (const char* target : {"AltEsc", "AltF4", "AltTab", "AppKey", "CtrlAltDel", "CtrlEsc", "RMouseButton",
                                   "WindowsDesktop", "WindowsStartButton", "WindowsTaskbar", "WinKey"})
            kioskNames.push_back(std::string("nxa.Application.Kiosk.") + action + target);
    }
    for (const std::string& name : kioskNames)
        pinned.push_back({name.c_str(), 1, "0"});
    const std::vector<PinnedRow> tail = {
        {"nxa.Application.Kiosk.installLoginScreen", 1, "0"},
        {"nxa.Application.Kiosk.uninstallLoginScreen", 1, "0"},
        {"nxa.Application.Timer.create", 0, "-1"},
        {"nxa.Application.Timer.start", 4, "0"},
        {"nxa.Application.Timer.stop", 2, "0"},
        {"nxa.Application.Timer.stopAll", 1, "0"},
    };
    pinned.insert(pinned.end(), tail.begin(), tail.end());
    ExpectPinnedTable(nxaApplication::Module(), pinned);
}

TEST(ModuleTables, DX9)
{
    ScopedCommandCentre centre{BuiltInModules()};
    ASSERT_TRUE(centre.Initialised());
    ExpectPinnedTable(nxaDX9::Module(), {
                                            {"nxa.DX9.create", kAnyArgCount, "-1"},
                                            {"nxa.DX9.enable", 3, "false"},
                                            {"nxa.DX9.disable", 1, "0"},
                                            {"nxa.DX9.enumerateModes", 1, "[]"},
                                        });
}

} // namespace
