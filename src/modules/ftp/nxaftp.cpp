#include "nxaftp.h"

#include "curlglobal.h"

namespace nxaFTP {

ModuleDescriptor& Module()
{
    static ModuleDescriptor module = MakeModuleDescriptor(Initialise, Shutdown);
    return module;
}

bool Initialise()
{
    CurlGlobal::Initialise();
    return true;
}

void Shutdown()
{
    ReleaseCommandRows(Module());
}

} // namespace nxaFTP
