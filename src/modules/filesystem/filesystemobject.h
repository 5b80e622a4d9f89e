#pragma once

#include "commandargs.h"
#include "eventdispatcher.h"
#include "objectmap.h"

#include <string>

// The movie's FileSystem object: it holds only the form and caller that
// created it, to which the events of asynchronous file operations go.
class FileSystem : public EventDispatcher {
public:
    explicit FileSystem(const CallInfo& call) : EventDispatcher(call) {}
};

// The module's FileSystem objects.
ObjectMap<FileSystem>& FileSystems();

// A path or text argument of the module's rows, as wide text.
inline std::wstring ReadPath(json_object* value)
{
    return ReadText(value).ToStdWstring();
}
