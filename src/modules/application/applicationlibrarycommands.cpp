#include "applicationlibrarycommands.h"

#include "applicationenvironment.h"
#include "appstate.h"
#include "commandargs.h"
#include "commandcentre.h"
#include "cpackage.h"
#include "library.h"
#include "nxaapplication.h"
#include "objectmap.h"
#include "packagelibrary.h"

#include <wx/filefn.h>

#include <json-c/json.h>

#include <functional>

namespace {

ObjectMap<Library>& Libraries()
{
    static ObjectMap<Library> libraries(nxaApplication::ModuleLock());
    return libraries;
}

// Runs a file extraction for the Library object named by the first argument:
// answers its result and, for an asynchronous call, reports it.
json_object* RunFileExtraction(const CallInfo& call, int32_t argc, json_object** argv, int32_t expectedArgc,
                               const std::function<bool(const PackageLibrary&)>& work)
{
    if (argc != expectedArgc)
        return MakeFlag(false);
    const std::shared_ptr<Library> library = Libraries().Find(ReadInt(argv[0]));
    if (!library)
        return MakeFlag(false);
    const std::shared_ptr<CPackage> package = GetAppState().Package();
    const bool written = package && work(PackageLibrary(*package));
    if (call.isAsync) {
        if (written)
            EventDispatcher::SendComplete(*library);
        else
            EventDispatcher::SendIOError(*library);
    }
    return MakeFlag(written);
}

std::wstring WorkingDirectory()
{
    return wxGetCwd().ToStdWstring();
}

} // namespace

namespace nxaApplication {

json_object* __cdecl libraryCreate(CallInfo* call, int32_t argc, json_object**)
{
    if (argc != 0)
        return MakeInt(-1);
    return MakeInt(Libraries().Add(std::make_shared<Library>(*call)));
}

json_object* __cdecl libraryExtractAllToDir(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunFileExtraction(*call, argc, argv, 2, [&](const PackageLibrary& library) {
        return library.ExtractAllToDir(ReadText(argv[1]).ToStdWstring());
    });
}

json_object* __cdecl libraryExtractAllToExecPath(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunFileExtraction(*call, argc, argv, 1, [](const PackageLibrary& library) {
        return library.ExtractAllToDir(WorkingDirectory());
    });
}

json_object* __cdecl libraryExtractToExecPath(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunFileExtraction(*call, argc, argv, 3, [&](const PackageLibrary& library) {
        const std::wstring destination =
            PackageLibrary::JoinBareName(WorkingDirectory(), ReadText(argv[2]).ToStdWstring());
        return library.ExtractToFile(ReadText(argv[1]).ToStdWstring(), destination);
    });
}

json_object* __cdecl libraryExtractToFile(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunFileExtraction(*call, argc, argv, 3, [&](const PackageLibrary& library) {
        return library.ExtractToFile(ReadText(argv[1]).ToStdWstring(), ReadText(argv[2]).ToStdWstring());
    });
}

json_object* __cdecl libraryExtractToVar(CallInfo* call, int32_t argc, json_object** argv)
{
    if (argc != 2)
        return MakeText(wxString());
    const std::shared_ptr<Library> library = Libraries().Find(ReadInt(argv[0]));
    if (!library)
        return MakeText(wxString());
    const std::shared_ptr<CPackage> package = GetAppState().Package();
    const wxString text = package ? wxString(PackageLibrary(*package).ExtractToText(ReadText(argv[1]).ToStdWstring()))
                                  : wxString();
    if (call->isAsync) {
        if (text.empty())
            EventDispatcher::SendIOError(*library);
        else
            EventDispatcher::SendCompleteResult(text, *library);
    }
    return MakeText(text);
}

void ClearLibraries()
{
    Libraries().Clear();
}

} // namespace nxaApplication
