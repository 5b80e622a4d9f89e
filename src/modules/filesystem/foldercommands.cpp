#include "foldercommands.h"

#include "fileattributes.h"
#include "filesystemrows.h"
#include "filetimes.h"
#include "folderdeletion.h"
#include "folderlisting.h"
#include "folderoperations.h"
#include "pathnames.h"
#include "shellfolderoperations.h"
#include "treesearch.h"

#include <json-c/json.h>

#include <array>
#include <string>
#include <vector>

namespace {

std::vector<wxString> ToTexts(const std::vector<std::wstring>& names)
{
    return std::vector<wxString>(names.begin(), names.end());
}

// By the asynchronous road, a search's result goes to the FileSystem's
// creator through sendResult, or as "onIOError" when nothing was found.
template <class SendResult>
void ReportFound(const CallInfo& call, const FileSystem& fileSystem, bool foundSome, SendResult&& sendResult)
{
    if (!call.isAsync)
        return;
    if (foundSome)
        sendResult();
    else
        EventDispatcher::SendIOError(fileSystem);
}

// A list of names, answered and reported with "onResult".
template <class Listing>
json_object* ReportedList(const CallInfo& call, int32_t argc, json_object** argv, Listing&& listing)
{
    return WithObject(FileSystems(), argc, argv, [&](FileSystem& fileSystem) {
        const std::vector<wxString> names = ToTexts(listing());
        ReportFound(call, fileSystem, !names.empty(), [&] { EventDispatcher::SendResultList(fileSystem, names); });
        return MakeTextArray(names);
    });
}

json_object* MakeFlagArray(const std::array<bool, 4>& flags)
{
    json_object* array = json_object_new_array();
    for (bool flag : flags)
        json_object_array_add(array, json_object_new_boolean(flag));
    return array;
}

// The tree's size in whole KiB; std::to_string makes the digits itself, as
// msvcrt's printf has no "%llu".
std::string KibibyteText(uint64_t bytes)
{
    return std::to_string(bytes >> 10);
}

} // namespace

namespace nxaFileSystem {

json_object* __cdecl copyFolder(CallInfo* call, int32_t argc, json_object** argv)
{
    return ReportedOperation(*call, argc, argv,
                             [&] { return CopyFolderTree(ReadPath(argv[1]), ReadPath(argv[2])); });
}

json_object* __cdecl deleteFolder(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithObject(FileSystems(), argc, argv, [&](FileSystem& fileSystem) {
        const FolderDeletionOutcome outcome = DeleteFolderInMode(ReadPath(argv[1]), ReadPath(argv[2]), AskToDeleteFolder);
        if (outcome == FolderDeletionOutcome::Cancelled) {
            if (call->isAsync)
                EventDispatcher::SendCancel(fileSystem);
        } else {
            EventDispatcher::ReportOutcome(*call, fileSystem, outcome == FolderDeletionOutcome::Deleted);
        }
        return MakeFlag(outcome == FolderDeletionOutcome::Deleted);
    });
}

json_object* __cdecl findFile(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithObject(FileSystems(), argc, argv, [&](FileSystem& fileSystem) {
        const wxString found = JoinFoundPaths(FindFilesBelow(ReadPath(argv[1])));
        ReportFound(*call, fileSystem, !found.empty(), [&] { EventDispatcher::SendResult(found, fileSystem); });
        return MakeText(found);
    });
}

json_object* __cdecl folderExists(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeFlag(IsExistingFolder(ReadPath(argv[1]))); });
}

json_object* __cdecl getCurrentDir(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [] { return MakeText(WorkingFolderWithSeparator()); });
}

json_object* __cdecl getFileAttribs(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeFlagArray(ReadAttributeFlags(ReadPath(argv[1]))); });
}

json_object* __cdecl getFileCreator(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [] { return MakeUtf8(std::string()); });
}

json_object* __cdecl getFileDate(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeText(CreationDateText(ReadPath(argv[1]))); });
}

json_object* __cdecl getFileList(CallInfo* call, int32_t argc, json_object** argv)
{
    return ReportedList(*call, argc, argv, [&] { return ListFileNames(ReadPath(argv[1]), ReadPath(argv[2])); });
}

json_object* __cdecl getFileTime(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeText(LastChangeTimeText(ReadPath(argv[1]))); });
}

json_object* __cdecl getFileType(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [] { return MakeUtf8(std::string()); });
}

json_object* __cdecl getFolderList(CallInfo* call, int32_t argc, json_object** argv)
{
    return ReportedList(*call, argc, argv, [&] { return ListFolderNames(ReadPath(argv[1])); });
}

json_object* __cdecl getFolderSize(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeUtf8(KibibyteText(FolderTreeSize(ReadPath(argv[1])))); });
}

json_object* __cdecl getLongPathName(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeText(LongPathName(ReadPath(argv[1]))); });
}

json_object* __cdecl getShortPathName(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeText(ShortPathName(ReadPath(argv[1]))); });
}

json_object* __cdecl makeFolder(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeFlag(MakeOneFolder(ReadPath(argv[1]))); });
}

json_object* __cdecl setCurrentDir(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv, [&] { return MakeFlag(SetWorkingFolder(ReadPath(argv[1]))); });
}

json_object* __cdecl setFileAttribs(CallInfo*, int32_t argc, json_object** argv)
{
    return WithFileSystem(argc, argv,
                          [&] { return MakeFlag(ApplyAttributeCode(ReadPath(argv[1]), ReadPath(argv[2]))); });
}

} // namespace nxaFileSystem
