#include "binaryfilecommands.h"

#include "binaryfile.h"
#include "filesystemobject.h"
#include "nxafilesystem.h"
#include "objectrows.h"

#include <json-c/json.h>

#include <string>
#include <vector>

namespace {

ObjectMap<BinaryFile>& BinaryFiles()
{
    static ObjectMap<BinaryFile> binaryFiles(nxaFileSystem::Frame::Objects());
    return binaryFiles;
}

// Answers the work's flag for the BinaryFile named by the first argument.
template <class Work>
json_object* WithBinaryFile(int32_t argc, json_object** argv, Work&& work)
{
    return WithObject(BinaryFiles(), argc, argv, [&](BinaryFile& file) { return MakeFlag(work(file)); });
}

// One byte per element: json-c's integer reading of it (booleans 1 and 0,
// doubles truncated, strings by their leading decimal number, anything else
// 0), its low 8 bits.
std::vector<unsigned char> ElementBytes(json_object* array)
{
    const size_t count = json_object_array_length(array);
    std::vector<unsigned char> bytes;
    bytes.reserve(count);
    for (size_t index = 0; index < count; ++index)
        bytes.push_back(static_cast<unsigned char>(ReadInt(json_object_array_get_idx(array, index)) & 0xFF));
    return bytes;
}

} // namespace

namespace nxaFileSystem {

json_object* __cdecl bfCreate(CallInfo*, int32_t, json_object**)
{
    return AddObject(BinaryFiles(), std::make_shared<BinaryFile>());
}

json_object* __cdecl bfAppendData(CallInfo*, int32_t argc, json_object** argv)
{
    return WithBinaryFile(argc, argv, [&](BinaryFile& file) { return file.AppendData(ReadPath(argv[1])); });
}

json_object* __cdecl bfSetData(CallInfo*, int32_t argc, json_object** argv)
{
    return WithBinaryFile(argc, argv, [&](BinaryFile& file) { return file.SetData(ReadPath(argv[1])); });
}

json_object* __cdecl bfWriteData(CallInfo*, int32_t argc, json_object** argv)
{
    return WithBinaryFile(argc, argv, [&](BinaryFile& file) { return file.WriteData(ReadPath(argv[1])); });
}

json_object* __cdecl bfAppendDataBA(CallInfo*, int32_t argc, json_object** argv)
{
    return WithBinaryFile(argc, argv, [&](BinaryFile& file) { return file.AppendDataBA(ReadPath(argv[1])); });
}

json_object* __cdecl bfSetDataBA(CallInfo*, int32_t argc, json_object** argv)
{
    return WithBinaryFile(argc, argv, [&](BinaryFile& file) {
        // Anything but an array leaves the buffer as it was.
        if (!json_object_is_type(argv[1], json_type_array))
            return false;
        file.SetDataBA(ElementBytes(argv[1]));
        return true;
    });
}

json_object* __cdecl bfWriteDataBA(CallInfo*, int32_t argc, json_object** argv)
{
    return WithBinaryFile(argc, argv, [&](BinaryFile& file) { return file.WriteDataBA(ReadPath(argv[1])); });
}

} // namespace nxaFileSystem
