#include "filesystemobject.h"

#include "nxafilesystem.h"

ObjectMap<FileSystem>& FileSystems()
{
    static ObjectMap<FileSystem> fileSystems(nxaFileSystem::Frame::Objects());
    return fileSystems;
}
