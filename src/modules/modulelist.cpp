#include "modulelist.h"

#include "nxaapplication.h"
#include "nxaapplescript.h"
#include "nxaclipboard.h"
#include "nxadatabase.h"
#include "nxadialogs.h"
#include "nxadx9.h"
#include "nxaencryption.h"
#include "nxafilesystem.h"
#include "nxaftp.h"
#include "nxamacshell.h"
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
        {"Application", &nxaApplication::Module()},
        {"Forms", UnwrittenModule()},
        {"AppleScript", &nxaAppleScript::Module()},
        {"Audio", UnwrittenModule()},
        {"Browser", UnwrittenModule()},
        {"COMPort", UnwrittenModule()},
        {"Clipboard", &nxaClipboard::Module()},
        {"Database", &nxaDatabase::Module()},
        {"Dialogs", &nxaDialogs::Module()},
        {"DLL", UnwrittenModule()},
        {"DX9", &nxaDX9::Module()},
        {"Encryption", &nxaEncryption::Module()},
        {"FileSystem", &nxaFileSystem::Module()},
        {"Flash", UnwrittenModule()},
        {"FTP", &nxaFTP::Module()},
        {"HTTP", UnwrittenModule()},
        {"Image", UnwrittenModule()},
        {"Input", UnwrittenModule()},
        {"MacShell", &nxaMacShell::Module()},
        {"MediaPlayer", UnwrittenModule()},
        {"Menu", UnwrittenModule()},
        {"PDF", UnwrittenModule()},
        {"Process", UnwrittenModule()},
        {"QuickTime", UnwrittenModule()},
        {"RealMedia", UnwrittenModule()},
        {"System", &nxaSystem::Module()},
        {"Network", UnwrittenModule()},
        {"Video", UnwrittenModule()},
        {"Zip", &nxaZip::Module()},
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
