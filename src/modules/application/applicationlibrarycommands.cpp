#include "applicationlibrarycommands.h"

#include "applicationenvironment.h"
#include "appstate.h"
#include "commandargs.h"
#include "commandcentre.h"
#include "cpackage.h"
#include "library.h"
#include "nxaapplication.h"
#include "objectrows.h"
#include "packagelibrary.h"

#include <wx/filefn.h>

#include <functional>

namespace {

ObjectMap<Library>& Libraries()
{
    static ObjectMap<Library> libraries(nxaApplication::Frame::Objects());
    return libraries;
}

// Runs a file extraction for the Library object named by the first argument:
// answers its result and, for an asynchronous call, reports it.
json_object* RunFileExtraction(const CallInfo& call, int32_t argc, json_object** argv,
                               const std::function<bool(const PackageLibrary&)>& work)
{
    return WithObject(Libraries(), argc, argv, [&](Library& library) {
        const std::shared_ptr<CPackage> package = GetAppState().Package();
        const bool written = package && work(PackageLibrary(*package));
        EventDispatcher::ReportOutcome(call, library, written);
        return MakeFlag(written);
    });
}

std::wstring WorkingDirectory()
{
    return wxGetCwd().ToStdWstring();
}

} // namespace

namespace nxaApplication {

json_object* __cdecl libraryCreate(CallInfo* call, int32_t, json_object**)
{
    return AddObject(Libraries(), std::make_shared<Library>(*call));
}

json_object* __cdecl libraryExtractAllToDir(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunFileExtraction(*call, argc, argv, [&](const PackageLibrary& library) {
        return library.ExtractAllToDir(ReadText(argv[1]).ToStdWstring());
    });
}

json_object* __cdecl libraryExtractAllToExecPath(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunFileExtraction(*call, argc, argv, [](const PackageLibrary& library) {
        return library.ExtractAllToDir(WorkingDirectory());
    });
}

json_object* __cdecl libraryExtractToExecPath(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunFileExtraction(*call, argc, argv, [&](const PackageLibrary& library) {
        const std::wstring destination =
            PackageLibrary::JoinBareName(WorkingDirectory(), ReadText(argv[2]).ToStdWstring());
        return library.ExtractToFile(ReadText(argv[1]).ToStdWstring(), destination);
    });
}

json_object* __cdecl libraryExtractToFile(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunFileExtraction(*call, argc, argv, [&](const PackageLibrary& library) {
        return library.ExtractToFile(ReadText(argv[1]).ToStdWstring(), ReadText(argv[2]).ToStdWstring());
    });
}

json_object* __cdecl libraryExtractToVar(CallInfo* call, int32_t argc, json_object** argv)
{
    return WithObject(Libraries(), argc, argv, [&](Library& library) {
        const std::shared_ptr<CPackage> package = GetAppState().Package();
        const wxString text =
            package ? wxString(PackageLibrary(*package).ExtractToText(ReadText(argv[1]).ToStdWstring())) : wxString();
        if (call->isAsync) {
            if (text.empty())
                EventDispatcher::SendIOError(library);
            else
                EventDispatcher::SendCompleteResult(text, library);
        }
        return MakeText(text);
    });
}

} // namespace nxaApplication
