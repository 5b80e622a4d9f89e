#include "filesystemobject.h"

#include "nxafilesystem.h"

ObjectMap<FileSystem>& FileSystems()
{
    static ObjectMap<FileSystem> fileSystems(nxaFileSystem::Objects());
    return fileSystems;
}
