// The module's table as movies know it, and its two id counters.
#include "commandcalls.h"
#include "nxafilesystem.h"
#include "pinnedtable.h"
#include "scopedcommandcentre.h"

#include <gtest/gtest.h>

namespace {

// Runs in a process of its own (see CMakeLists.txt): the counters start at 0
// once per process.
TEST(FreshModule, CountersStartAtZeroApartAndCreateWithArgumentsMakesNothing)
{
    ScopedCommandCentre centre{{&nxaFileSystem::Frame::Descriptor()}};
    ASSERT_TRUE(centre.Initialised());
    EXPECT_EQ("-1", CallCommandSync("nxa.FileSystem.create", "1"));
    EXPECT_EQ("-1", CallCommandSync("nxa.FileSystem.BinaryFile.create", "null"));
    EXPECT_EQ("0", CallCommandSync("nxa.FileSystem.create"));
    EXPECT_EQ("1", CallCommandSync("nxa.FileSystem.create"));
    EXPECT_EQ("0", CallCommandSync("nxa.FileSystem.BinaryFile.create"));
    // FileSystem 1 is no BinaryFile, and BinaryFile 0 is no FileSystem.
    EXPECT_EQ("false", CallCommandSync("nxa.FileSystem.BinaryFile.setData", "1, \"00\""));
    EXPECT_EQ("true", CallCommandSync("nxa.FileSystem.BinaryFile.setData", "0, \"00\""));
    EXPECT_EQ("true", CallCommandSync("nxa.FileSystem.fileExists", "1, \"C:\\\\windows\\\\win.ini\""));
}

TEST(FileSystemTable, RowsInTheirOrderWithCountsAndFallbacks)
{
    ScopedCommandCentre centre{{&nxaFileSystem::Frame::Descriptor()}};
    ASSERT_TRUE(centre.Initialised());
    ExpectPinnedTable(nxaFileSystem::Frame::Descriptor(), {
                                                   {"nxa.FileSystem.create", 0, "-1"},
                                                   {"nxa.FileSystem.appendFile", 3, "false"},
                                                   {"nxa.FileSystem.copyFile", 3, "false"},
                                                   {"nxa.FileSystem.copyFolder", 3, "false"},
                                                   {"nxa.FileSystem.createShortcut", 7, "false"},
                                                   {"nxa.FileSystem.deleteFile", 2, "false"},
                                                   {"nxa.FileSystem.deleteFolder", 3, "false"},
                                                   {"nxa.FileSystem.fileExists", 2, "false"},
                                                   {"nxa.FileSystem.findFile", 2, "\"\""},
                                                   {"nxa.FileSystem.folderExists", 2, "false"},
                                                   {"nxa.FileSystem.getAssociation", 2, "\"\""},
                                                   {"nxa.FileSystem.getCurrentDir", 1, "\"\""},
                                                   {"nxa.FileSystem.getFileAttribs", 2, "[]"},
                                                   {"nxa.FileSystem.getFileCreator", 2, "\"\""},
                                                   {"nxa.FileSystem.getFileDate", 2, "\"\""},
                                                   {"nxa.FileSystem.getFileList", 3, "[]"},
                                                   {"nxa.FileSystem.getFileSize", 2, "\"18446744073709551615\""},
                                                   {"nxa.FileSystem.getFileTime", 2, "\"\""},
                                                   {"nxa.FileSystem.getFileType", 2, "\"\""},
                                                   {"nxa.FileSystem.getFolderList", 2, "[]"},
                                                   {"nxa.FileSystem.getFolderSize", 2, "\"0\""},
                                                   {"nxa.FileSystem.getLongPathName", 2, "\"\""},
                                                   {"nxa.FileSystem.getShortPathName", 2, "\"\""},
                                                   {"nxa.FileSystem.loadFile", 2, "\"\""},
                                                   {"nxa.FileSystem.loadFileHEX", 2, "\"\""},
                                                   {"nxa.FileSystem.makeFolder", 2, "false"},
                                                   {"nxa.FileSystem.saveFile", 3, "false"},
                                                   {"nxa.FileSystem.saveFileHEX", 3, "false"},
                                                   {"nxa.FileSystem.setCurrentDir", 2, "false"},
                                                   {"nxa.FileSystem.setFileAttribs", 3, "false"},
                                                   {"nxa.FileSystem.BinaryFile.create", 0, "-1"},
                                                   {"nxa.FileSystem.BinaryFile.appendData", 2, "false"},
                                                   {"nxa.FileSystem.BinaryFile.setData", 2, "false"},
                                                   {"nxa.FileSystem.BinaryFile.writeData", 2, "false"},
                                                   {"nxa.FileSystem.BinaryFile.appendDataBA", 2, "false"},
                                                   {"nxa.FileSystem.BinaryFile.setDataBA", 2, "false"},
                                                   {"nxa.FileSystem.BinaryFile.writeDataBA", 2, "false"},
                                               });
}

} // namespace
