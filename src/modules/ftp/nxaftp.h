#pragma once

#include "moduledescriptor.h"

// The FTP module. Its initialisation also sets up libcurl for the process
// (CurlGlobal); its commands are not registered yet.
namespace nxaFTP {

ModuleDescriptor& Module();
bool Initialise();
void Shutdown();

} // namespace nxaFTP
