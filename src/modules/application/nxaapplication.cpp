#include "nxaapplication.h"

#include "applicationcommands.h"
#include "applicationkioskcommands.h"
#include "applicationlibrarycommands.h"
#include "applicationobject.h"
#include "applicationtimercommands.h"
#include "eventdispatcher.h"
#include "keylocklibrary.h"

namespace {

using namespace nxaApplication;

// Flags of the rows that act on an object of the module, and of those whose
// work is window, timer or voice work of the main thread.
constexpr uint32_t kObject = kObjectRow;
constexpr uint32_t kMainObject = kObjectRow | kMainThread;

// The module's command table, in the order of registration.
const RowSpec kRows[] = {
    {"nxa.Application.create", create, 0, "-1", kAnyThread},
    {"nxa.Application.bringToFront", bringToFront, 1, "0", kMainObject},
    {"nxa.Application.createForm", createForm, 8, "false", kMainObject},
    {"nxa.Application.delay", delay, 2, "0", kObject},
    {"nxa.Application.doEvents", doEvents, 1, "0", kMainObject},
    {"nxa.Application.enableExitHandler", enableExitHandler, 1, "0", kObject},
    {"nxa.Application.exit", exit, 3, "0", kMainObject},
    {"nxa.Application.exitWithCode", exitWithCode, 2, "0", kMainObject},
    {"nxa.Application.getCMDParams", getCMDParams, 2, "\"\"", kObject},
    {"nxa.Application.getEnvVar", getEnvVar, 2, "\"\"", kObject},
    {"nxa.Application.getFormNames", getFormNames, 1, "[]", kMainObject},
    {"nxa.Application.getGlobalVar", getGlobalVar, 2, "\"\"", kObject},
    {"nxa.Application.getSecureVar", getSecureVar, 2, "\"\"", kObject},
    {"nxa.Application.init", init, kAnyArgCount, "0", kAnyThread},
    {"nxa.Application.maximize", maximize, 1, "0", kMainObject},
    {"nxa.Application.minimize", minimize, 1, "0", kMainObject},
    {"nxa.Application.minimizeToTray", minimizeToTray, 2, "0", kObject},
    {"nxa.Application.printVar", printVar, 3, "0", kMainObject},
    {"nxa.Application.restore", restore, 1, "0", kMainObject},
    {"nxa.Application.say", say, 2, "0", kMainObject},
    {"nxa.Application.sendToBack", sendToBack, 1, "0", kMainObject},
    {"nxa.Application.setEnvVar", setEnvVar, 3, "0", kObject},
    // Shaking takes up to 20 s: it moves the window step by step from its own thread.
    {"nxa.Application.shake", shake, 2, "0", kObject},
    {"nxa.Application.get_filename", get_filename, 1, "\"\"", kObject},
    {"nxa.Application.get_isMinimized", isMinimized, 1, "true", kMainObject},
    {"nxa.Application.get_path", get_path, 1, "\"\"", kObject},
    {"nxa.Application.get_title", get_title, 1, "\"\"", kMainObject},
    {"nxa.Application.set_title", set_title, 2, "0", kMainObject},
    {"nxa.Application.set_windowStaysOnTop", set_windowStaysOnTop, 2, "0", kMainObject},

    {"nxa.Application.Library.create", libraryCreate, 0, "-1", kAnyThread},
    {"nxa.Application.Library.extractAllToDir", libraryExtractAllToDir, 2, "false", kObject},
    {"nxa.Application.Library.extractAllToExecPath", libraryExtractAllToExecPath, 1, "false", kObject},
    {"nxa.Application.Library.extractToExecPath", libraryExtractToExecPath, 3, "false", kObject},
    {"nxa.Application.Library.extractToFile", libraryExtractToFile, 3, "false", kObject},
    {"nxa.Application.Library.extractToVar", libraryExtractToVar, 2, "\"\"", kObject},

    {"nxa.Application.Kiosk.create", kioskCreate, 0, "-1", kAnyThread},
    {"nxa.Application.Kiosk.disableAltEsc", kioskDisableAltEsc, 1, "0", kObject},
    {"nxa.Application.Kiosk.disableAltF4", KioskKeyRow<kKeyF4, kModifierAlt, kDisable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.disableAltTab", KioskKeyRow<kKeyTab, kModifierAlt, kDisable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.disableAppKey", KioskKeyRow<kKeyApplications, kModifierNone, kDisable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.disableCtrlAltDel", KioskKeyRow<kKeyDelete, kModifierCtrlAlt, kDisable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.disableCtrlEsc", KioskKeyRow<kKeyEscape, kModifierCtrl, kDisable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.disableRMouseButton", KioskKeyRow<kKeyRightMouseButton, kModifierNone, kDisable>, 1, "0",
     kObject},
    {"nxa.Application.Kiosk.disableWindowsDesktop", KioskItemRow<kItemDesktop, kDisable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.disableWindowsStartButton", KioskItemRow<kItemStartButton, kDisable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.disableWindowsTaskbar", KioskItemRow<kItemTaskbar, kDisable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.disableWinKey", KioskKeyRow<kKeyNone, kModifierWindowsKey, kDisable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.enableAltEsc", KioskKeyRow<kKeyEscape, kModifierAlt, kEnable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.enableAltF4", KioskKeyRow<kKeyF4, kModifierAlt, kEnable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.enableAltTab", KioskKeyRow<kKeyTab, kModifierAlt, kEnable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.enableAppKey", KioskKeyRow<kKeyApplications, kModifierNone, kEnable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.enableCtrlAltDel", KioskKeyRow<kKeyDelete, kModifierCtrlAlt, kEnable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.enableCtrlEsc", KioskKeyRow<kKeyEscape, kModifierCtrl, kEnable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.enableRMouseButton", KioskKeyRow<kKeyRightMouseButton, kModifierNone, kEnable>, 1, "0",
     kObject},
    {"nxa.Application.Kiosk.enableWindowsDesktop", KioskItemRow<kItemDesktop, kEnable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.enableWindowsStartButton", KioskItemRow<kItemStartButton, kEnable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.enableWindowsTaskbar", KioskItemRow<kItemTaskbar, kEnable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.enableWinKey", KioskKeyRow<kKeyNone, kModifierWindowsKey, kEnable>, 1, "0", kObject},
    {"nxa.Application.Kiosk.installLoginScreen", kioskInstallLoginScreen, 1, "0", kObject},
    {"nxa.Application.Kiosk.uninstallLoginScreen", kioskUninstallLoginScreen, 1, "0", kObject},

    // Timers are made, started and stopped on the main thread, whose event
    // loop runs them.
    {"nxa.Application.Timer.create", timerCreate, 0, "-1", kMainThread},
    {"nxa.Application.Timer.start", timerStart, 4, "0", kMainObject},
    {"nxa.Application.Timer.stop", timerStop, 2, "0", kMainObject},
    {"nxa.Application.Timer.stopAll", timerStopAll, 1, "0", kMainObject},
};

static_assert(sizeof(kRows) / sizeof(kRows[0]) == 64, "the Application module has 64 rows");

} // namespace

struct nxaApplication::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
    // Rows are added only once the key-lock library is loaded; it is
    // unloaded after the objects are released.
    static bool Start() { return LoadKeyLockLibrary(); }
    static void Stop() { UnloadKeyLockLibrary(); }
};

template class ModuleFrame<nxaApplication::Definition>;

namespace nxaApplication {

void BroadcastEvent(const std::string& payload, const std::string& eventName)
{
    ::BroadcastEvent(Applications(), wxString::FromUTF8(eventName), wxString::FromUTF8(payload));
}

void BroadcastFormEvent(int32_t formId, const std::string& eventName, const std::string& payload)
{
    ::BroadcastEvent(Applications(), wxString::FromUTF8(eventName), wxString::FromUTF8(payload),
                     [formId](const Application& application) { return application.formId == formId; });
}

} // namespace nxaApplication
