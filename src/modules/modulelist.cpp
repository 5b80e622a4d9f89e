#include "modulelist.h"

#include "nxaapplication.h"
#include "nxaapplescript.h"
#include "nxaclipboard.h"
#include "nxadatabase.h"
#include "nxadialogs.h"
#include "nxadx9.h"
#include "nxaencryption.h"
#include "nxafilesystem.h"
#include "nxaflash.h"
#include "nxaforms.h"
#include "nxaftp.h"
#include "nxahttp.h"
#include "nxamacshell.h"
#include "nxamenu.h"
#include "nxasystem.h"
#include "nxazip.h"

namespace {

bool InitialiseUnwrittenModule()
{
    return true;
}

void ShutdownUnwrittenModule() {}

// A module whose commands are not written yet: no rows, nothing to release.
// The descriptor lives as long as the process, like a written module's.
ModuleDescriptor* UnwrittenModule()
{
    return new ModuleDescriptor(MakeModuleDescriptor(InitialiseUnwrittenModule, ShutdownUnwrittenModule));
}

} // namespace

const std::vector<BuiltInModule>& BuiltInModuleTable()
{
    static const std::vector<BuiltInModule> table = {
        {"Application", &nxaApplication::Frame::Descriptor()},
        {"Forms", &nxaForms::Frame::Descriptor()},
        {"AppleScript", &nxaAppleScript::Frame::Descriptor()},
        {"Audio", UnwrittenModule()},
        {"Browser", UnwrittenModule()},
        {"COMPort", UnwrittenModule()},
        {"Clipboard", &nxaClipboard::Frame::Descriptor()},
        {"Database", &nxaDatabase::Frame::Descriptor()},
        {"Dialogs", &nxaDialogs::Frame::Descriptor()},
        {"DLL", UnwrittenModule()},
        {"DX9", &nxaDX9::Frame::Descriptor()},
        {"Encryption", &nxaEncryption::Frame::Descriptor()},
        {"FileSystem", &nxaFileSystem::Frame::Descriptor()},
        {"Flash", &nxaFlash::Frame::Descriptor()},
        {"FTP", &nxaFTP::Module()},
        {"HTTP", &nxaHTTP::Frame::Descriptor()},
        {"Image", UnwrittenModule()},
        {"Input", UnwrittenModule()},
        {"MacShell", &nxaMacShell::Frame::Descriptor()},
        {"MediaPlayer", UnwrittenModule()},
        {"Menu", &nxaMenu::Frame::Descriptor()},
        {"PDF", UnwrittenModule()},
        {"Process", UnwrittenModule()},
        {"QuickTime", UnwrittenModule()},
        {"RealMedia", UnwrittenModule()},
        {"System", &nxaSystem::Frame::Descriptor()},
        {"Network", UnwrittenModule()},
        {"Video", UnwrittenModule()},
        {"Zip", &nxaZip::Frame::Descriptor()},
    };
    return table;
}

std::vector<ModuleDescriptor*> BuiltInModules()
{
    std::vector<ModuleDescriptor*> modules;
    for (const BuiltInModule& module : BuiltInModuleTable())
        modules.push_back(module.descriptor);
    return modules;
}
