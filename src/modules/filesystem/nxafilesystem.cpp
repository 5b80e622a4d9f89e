#include "nxafilesystem.h"

#include "binaryfilecommands.h"
#include "filecommands.h"

namespace {

using namespace nxaFileSystem;

constexpr uint32_t kObject = kObjectRow;

// The module's command table, in the order of registration.
const RowSpec kRows[] = {
    {"nxa.FileSystem.create", create, 0, "-1", kAnyThread},
    {"nxa.FileSystem.appendFile", appendFile, 3, "false", kObject},
    {"nxa.FileSystem.copyFile", copyFile, 3, "false", kObject},
    // The shell link object is COM, which only the main thread initialises.
    {"nxa.FileSystem.createShortcut", createShortcut, 7, "false", kObject | kMainThread},
    {"nxa.FileSystem.deleteFile", deleteFile, 2, "false", kObject},
    {"nxa.FileSystem.fileExists", fileExists, 2, "false", kObject},
    {"nxa.FileSystem.getAssociation", getAssociation, 2, "\"\"", kObject},
    {"nxa.FileSystem.getFileSize", getFileSize, 2, "\"18446744073709551615\"", kObject},
    {"nxa.FileSystem.loadFile", loadFile, 2, "\"\"", kObject},
    {"nxa.FileSystem.loadFileHEX", loadFileHEX, 2, "\"\"", kObject},
    {"nxa.FileSystem.saveFile", saveFile, 3, "false", kObject},
    {"nxa.FileSystem.saveFileHEX", saveFileHEX, 3, "false", kObject},

    {"nxa.FileSystem.BinaryFile.create", bfCreate, 0, "-1", kAnyThread},
    {"nxa.FileSystem.BinaryFile.appendData", bfAppendData, 2, "false", kObject},
    {"nxa.FileSystem.BinaryFile.setData", bfSetData, 2, "false", kObject},
    {"nxa.FileSystem.BinaryFile.writeData", bfWriteData, 2, "false", kObject},
    {"nxa.FileSystem.BinaryFile.appendDataBA", bfAppendDataBA, 2, "false", kObject},
    {"nxa.FileSystem.BinaryFile.setDataBA", bfSetDataBA, 2, "false", kObject},
    {"nxa.FileSystem.BinaryFile.writeDataBA", bfWriteDataBA, 2, "false", kObject},
};

} // namespace

struct nxaFileSystem::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaFileSystem::Definition>;

namespace nxaFileSystem {

} // namespace nxaFileSystem
