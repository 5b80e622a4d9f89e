#include "filecommands.h"

#include "fileassociation.h"
#include "fileoperations.h"
#include "filesystemrows.h"
#include "filetext.h"
#include "shellshortcut.h"

#include <string>

namespace nxaFileSystem {

json_object* __cdecl create(CallInfo* call, int32_t, json_object**)
{
    return AddObject(FileSystems(), std::make_shared<FileSystem>(*call));
}

json_object* __cdecl appendFile(CallInfo* call, int32_t argc, json_object** argv)
{
    return ReportedOperation(*call, argc, argv,
                             [&] { return AppendFileText(ReadPath(argv[1]), ReadPath(argv[2])); });
}

json_object* __cdecl copyFile(CallInfo* call, int32_t argc, json_object** argv)
{
    return ReportedOperation(*call, argc, argv,
                             [&] { return CopyFileReplacing(ReadPath(argv[1]), ReadPath(argv[2])); });
}

json_object* __cdecl createShortcut(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] {
        ShortcutSpec spec;
        spec.target = ReadPath(argv[1]);
        spec.workingFolder = ReadPath(argv[2]);
        spec.description = ReadPath(argv[3]);
        spec.iconPath = ReadPath(argv[4]);
        spec.iconIndex = ReadInt(argv[5]);
        return MakeFlag(SaveShellShortcut(spec, ReadPath(argv[6])));
    });
}

json_object* __cdecl deleteFile(CallInfo* call, int32_t argc, json_object** argv)
{
    return ReportedOperation(*call, argc, argv, [&] { return DeleteOneFile(ReadPath(argv[1])); });
}

json_object* __cdecl fileExists(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeFlag(IsExistingFile(ReadPath(argv[1]))); });
}

json_object* __cdecl getAssociation(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeText(FindAssociatedProgram(ReadPath(argv[1]))); });
}

json_object* __cdecl getFileSize(CallInfo*, int32_t argc, json_object** argv)
{
    // std::to_string makes the digits itself; msvcrt's printf has no "%llu".
    return WithFileSystem(argc, argv, [&] { return MakeUtf8(std::to_string(FileLength(ReadPath(argv[1])))); });
}

json_object* __cdecl loadFile(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeText(LoadFileText(ReadPath(argv[1]))); });
}

json_object* __cdecl loadFileHEX(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeUtf8(LoadFileHex(ReadPath(argv[1]))); });
}

json_object* __cdecl saveFile(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeFlag(SaveFileText(ReadPath(argv[1]), ReadPath(argv[2]))); });
}

json_object* __cdecl saveFileHEX(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeFlag(SaveFileHex(ReadPath(argv[1]), ReadPath(argv[2]))); });
}

} // namespace nxaFileSystem
