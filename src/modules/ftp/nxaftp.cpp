#include "nxaftp.h"

#include "curlglobal.h"

namespace nxaFTP {

ModuleDescriptor& Module()
{
    static ModuleDescriptor module = {Initialise, Shutdown, nullptr, 0};
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
