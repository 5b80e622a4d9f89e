#pragma once

#include "moduleframe.h"

// The FileSystem module: files read and written as texts, hex texts and byte
// buffers, copied, deleted and measured, file-type associations and shell
// shortcuts; folders made, copied, deleted, listed, searched and measured,
// the working folder, attribute flags, file times and path forms. Its row
// handlers are declared in filecommands.h, foldercommands.h and
// binaryfilecommands.h.
namespace nxaFileSystem {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

} // namespace nxaFileSystem

extern template class ModuleFrame<nxaFileSystem::Definition>;
