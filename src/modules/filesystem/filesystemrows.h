#pragma once

#include "commandargs.h"
#include "eventdispatcher.h"
#include "filesystemobject.h"
#include "objectrows.h"

#include <cstdint>
#include <utility>

struct json_object;

// The two shapes of the module's FileSystem rows.

// Answers the work's result for the FileSystem named by the first argument;
// the row's fallback when there is none.
template <class Work>
json_object* WithFileSystem(int32_t argc, json_object** argv, Work&& work)
{
    return WithObject(FileSystems(), argc, argv, [&](FileSystem&) { return std::forward<Work>(work)(); });
}

// An operation that reports its outcome to the FileSystem's creator when it
// came by the asynchronous road; answers it as a flag.
template <class Operation>
json_object* ReportedOperation(const CallInfo& call, int32_t argc, json_object** argv, Operation&& operation)
{
    return WithObject(FileSystems(), argc, argv, [&](FileSystem& fileSystem) {
        const bool succeeded = std::forward<Operation>(operation)();
        EventDispatcher::ReportOutcome(call, fileSystem, succeeded);
        return MakeFlag(succeeded);
    });
}
