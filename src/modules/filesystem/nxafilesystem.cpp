#include "nxafilesystem.h"

#include "binaryfilecommands.h"
#include "filecommands.h"
#include "foldercommands.h"

namespace {

using namespace nxaFileSystem;

constexpr uint32_t kObject = kObjectRow;

// The module's command table, in the order of registration.
const RowSpec kRows[] = {
    {"nxa.FileSystem.create", create, 0, "-1", kAnyThread},
    {"nxa.FileSystem.appendFile", appendFile, 3, "false", kObject},
    {"nxa.FileSystem.copyFile", copyFile, 3, "false", kObject},
    {"nxa.FileSystem.copyFolder", copyFolder, 3, "false", kObject},
    // The shell link object is COM, which only the main thread initialises.
    {"nxa.FileSystem.createShortcut", createShortcut, 7, "false", kObject | kMainThread},
    {"nxa.FileSystem.deleteFile", deleteFile, 2, "false", kObject},
    // "ask" shows a question box, which belongs to the main thread.
    {"nxa.FileSystem.deleteFolder", deleteFolder, 3, "false", kObject | kMainThread},
    {"nxa.FileSystem.fileExists", fileExists, 2, "false", kObject},
    {"nxa.FileSystem.findFile", findFile, 2, "\"\"", kObject},
    {"nxa.FileSystem.folderExists", folderExists, 2, "false", kObject},
    {"nxa.FileSystem.getAssociation", getAssociation, 2, "\"\"", kObject},
    {"nxa.FileSystem.getCurrentDir", getCurrentDir, 1, "\"\"", kObject},
    {"nxa.FileSystem.getFileAttribs", getFileAttribs, 2, "[]", kObject},
    {"nxa.FileSystem.getFileCreator", getFileCreator, 2, "\"\"", kObject},
    {"nxa.FileSystem.getFileDate", getFileDate, 2, "\"\"", kObject},
    {"nxa.FileSystem.getFileList", getFileList, 3, "[]", kObject},
    {"nxa.FileSystem.getFileSize", getFileSize, 2, "\"18446744073709551615\"", kObject},
    {"nxa.FileSystem.getFileTime", getFileTime, 2, "\"\"", kObject},
    {"nxa.FileSystem.getFileType", getFileType, 2, "\"\"", kObject},
    {"nxa.FileSystem.getFolderList", getFolderList, 2, "[]", kObject},
    {"nxa.FileSystem.getFolderSize", getFolderSize, 2, "\"0\"", kObject},
    {"nxa.FileSystem.getLongPathName", getLongPathName, 2, "\"\"", kObject},
    {"nxa.FileSystem.getShortPathName", getShortPathName, 2, "\"\"", kObject},
    {"nxa.FileSystem.loadFile", loadFile, 2, "\"\"", kObject},
    {"nxa.FileSystem.loadFileHEX", loadFileHEX, 2, "\"\"", kObject},
    {"nxa.FileSystem.makeFolder", makeFolder, 2, "false", kObject},
    {"nxa.FileSystem.saveFile", saveFile, 3, "false", kObject},
    {"nxa.FileSystem.saveFileHEX", saveFileHEX, 3, "false", kObject},
    {"nxa.FileSystem.setCurrentDir", setCurrentDir, 2, "false", kObject},
    {"nxa.FileSystem.setFileAttribs", setFileAttribs, 3, "false", kObject},

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
