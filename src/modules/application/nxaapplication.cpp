#include "nxaapplication.h"

#include "applicationcommands.h"
#include "applicationkioskcommands.h"
#include "applicationlibrarycommands.h"
#include "applicationobject.h"
#include "applicationtimercommands.h"
#include "asyncevent.h"
#include "commandcentre.h"
#include "keylocklibrary.h"

namespace {

// The module's command table, in the order of registration.
const struct {
    const char* name;
    CommandHandler handler;
} kCommands[] = {
    {"nxa.Application.create", nxaApplication::create},
    {"nxa.Application.bringToFront", nxaApplication::bringToFront},
    {"nxa.Application.createForm", nxaApplication::createForm},
    {"nxa.Application.delay", nxaApplication::delay},
    {"nxa.Application.doEvents", nxaApplication::doEvents},
    {"nxa.Application.enableExitHandler", nxaApplication::enableExitHandler},
    {"nxa.Application.exit", nxaApplication::exit},
    {"nxa.Application.exitWithCode", nxaApplication::exitWithCode},
    {"nxa.Application.getCMDParams", nxaApplication::getCMDParams},
    {"nxa.Application.getEnvVar", nxaApplication::getEnvVar},
    {"nxa.Application.getFormNames", nxaApplication::getFormNames},
    {"nxa.Application.getGlobalVar", nxaApplication::getGlobalVar},
    {"nxa.Application.getSecureVar", nxaApplication::getSecureVar},
    {"nxa.Application.init", nxaApplication::init},
    {"nxa.Application.maximize", nxaApplication::maximize},
    {"nxa.Application.minimize", nxaApplication::minimize},
    {"nxa.Application.minimizeToTray", nxaApplication::minimizeToTray},
    {"nxa.Application.printVar", nxaApplication::printVar},
    {"nxa.Application.restore", nxaApplication::restore},
    {"nxa.Application.say", nxaApplication::say},
    {"nxa.Application.sendToBack", nxaApplication::sendToBack},
    {"nxa.Application.setEnvVar", nxaApplication::setEnvVar},
    {"nxa.Application.shake", nxaApplication::shake},
    {"nxa.Application.get_filename", nxaApplication::get_filename},
    {"nxa.Application.get_isMinimized", nxaApplication::isMinimized},
    {"nxa.Application.get_path", nxaApplication::get_path},
    {"nxa.Application.get_title", nxaApplication::get_title},
    {"nxa.Application.set_title", nxaApplication::set_title},
    {"nxa.Application.set_windowStaysOnTop", nxaApplication::set_windowStaysOnTop},

    {"nxa.Application.Library.create", nxaApplication::libraryCreate},
    {"nxa.Application.Library.extractAllToDir", nxaApplication::libraryExtractAllToDir},
    {"nxa.Application.Library.extractAllToExecPath", nxaApplication::libraryExtractAllToExecPath},
    {"nxa.Application.Library.extractToExecPath", nxaApplication::libraryExtractToExecPath},
    {"nxa.Application.Library.extractToFile", nxaApplication::libraryExtractToFile},
    {"nxa.Application.Library.extractToVar", nxaApplication::libraryExtractToVar},

    {"nxa.Application.Kiosk.create", nxaApplication::kioskCreate},
    {"nxa.Application.Kiosk.disableAltEsc", nxaApplication::kioskDisableAltEsc},
    {"nxa.Application.Kiosk.disableAltF4", nxaApplication::kioskDisableAltF4},
    {"nxa.Application.Kiosk.disableAltTab", nxaApplication::kioskDisableAltTab},
    {"nxa.Application.Kiosk.disableAppKey", nxaApplication::kioskDisableAppKey},
    {"nxa.Application.Kiosk.disableCtrlAltDel", nxaApplication::kioskDisableCtrlAltDel},
    {"nxa.Application.Kiosk.disableCtrlEsc", nxaApplication::kioskDisableCtrlEsc},
    {"nxa.Application.Kiosk.disableRMouseButton", nxaApplication::kioskDisableRMouseButton},
    {"nxa.Application.Kiosk.disableWindowsDesktop", nxaApplication::kioskDisableWindowsDesktop},
    {"nxa.Application.Kiosk.disableWindowsStartButton", nxaApplication::kioskDisableWindowsStartButton},
    {"nxa.Application.Kiosk.disableWindowsTaskbar", nxaApplication::kioskDisableWindowsTaskbar},
    {"nxa.Application.Kiosk.disableWinKey", nxaApplication::kioskDisableWinKey},
    {"nxa.Application.Kiosk.enableAltEsc", nxaApplication::kioskEnableAltEsc},
    {"nxa.Application.Kiosk.enableAltF4", nxaApplication::kioskEnableAltF4},
    {"nxa.Application.Kiosk.enableAltTab", nxaApplication::kioskEnableAltTab},
    {"nxa.Application.Kiosk.enableAppKey", nxaApplication::kioskEnableAppKey},
    {"nxa.Application.Kiosk.enableCtrlAltDel", nxaApplication::kioskEnableCtrlAltDel},
    {"nxa.Application.Kiosk.enableCtrlEsc", nxaApplication::kioskEnableCtrlEsc},
    {"nxa.Application.Kiosk.enableRMouseButton", nxaApplication::kioskEnableRMouseButton},
    {"nxa.Application.Kiosk.enableWindowsDesktop", nxaApplication::kioskEnableWindowsDesktop},
    {"nxa.Application.Kiosk.enableWindowsStartButton", nxaApplication::kioskEnableWindowsStartButton},
    {"nxa.Application.Kiosk.enableWindowsTaskbar", nxaApplication::kioskEnableWindowsTaskbar},
    {"nxa.Application.Kiosk.enableWinKey", nxaApplication::kioskEnableWinKey},
    {"nxa.Application.Kiosk.installLoginScreen", nxaApplication::kioskInstallLoginScreen},
    {"nxa.Application.Kiosk.uninstallLoginScreen", nxaApplication::kioskUninstallLoginScreen},

    {"nxa.Application.Timer.create", nxaApplication::timerCreate},
    {"nxa.Application.Timer.start", nxaApplication::timerStart},
    {"nxa.Application.Timer.stop", nxaApplication::timerStop},
    {"nxa.Application.Timer.stopAll", nxaApplication::timerStopAll},
};

static_assert(sizeof(kCommands) / sizeof(kCommands[0]) == 64, "the Application module has 64 rows");

// Posts the event to each Application object that the filter accepts.
template <class Filter>
void PostToApplications(const std::string& payload, const std::string& eventName, Filter accepts)
{
    const wxString payloadText = wxString::FromUTF8(payload);
    const wxString name = wxString::FromUTF8(eventName);
    for (const std::shared_ptr<Application>& application : Applications().All()) {
        if (accepts(*application))
            PostAsyncEvent(payloadText, name, &CommandCentre::Get(), application->formId, application->callerId);
    }
}

} // namespace

namespace nxaApplication {

ModuleDescriptor& Module()
{
    static ModuleDescriptor module = {Initialise, Shutdown, nullptr, 0};
    return module;
}

std::mutex& ModuleLock()
{
    static std::mutex lock;
    return lock;
}

bool Initialise()
{
    if (!LoadKeyLockLibrary())
        return false;
    for (const auto& command : kCommands)
        AppendCommandRow(Module(), command.name, command.handler);
    return true;
}

void Shutdown()
{
    ReleaseCommandRows(Module());
    ClearTimerManagers();
    ClearKiosks();
    ClearLibraries();
    ClearApplications();
    UnloadKeyLockLibrary();
}

void BroadcastEvent(const std::string& payload, const std::string& eventName)
{
    PostToApplications(payload, eventName, [](const Application&) { return true; });
}

void BroadcastFormEvent(int32_t formId, const std::string& eventName, const std::string& payload)
{
    PostToApplications(payload, eventName, [formId](const Application& application) {
        return application.formId == formId;
    });
}

} // namespace nxaApplication
