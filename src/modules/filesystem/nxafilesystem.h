#pragma once

#include "moduledescriptor.h"
#include "moduleobjects.h"

// The FileSystem module: files read and written as texts, hex texts and byte
// buffers, copied, deleted and measured, file-type associations and shell
// shortcuts; folders made, copied, deleted, listed, searched and measured,
// the working folder, attribute flags, file times and path forms. Its row
// handlers are declared in filecommands.h, foldercommands.h and
// binaryfilecommands.h.
namespace nxaFileSystem {

// The module's entry in the start-up list.
ModuleDescriptor& Module();
// Appends the module's rows.
bool Initialise();
// Frees the rows and releases every object; the id counters go on.
void Shutdown();

// The module's object maps (FileSystem, BinaryFile) and their one lock.
ModuleObjects& Objects();

} // namespace nxaFileSystem
