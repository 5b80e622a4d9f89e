#include "nxazip.h"

#include "commandargs.h"
#include "objectrows.h"
#include "zipper.h"

#include <memory>

namespace {

ObjectMap<Zipper>& Zippers()
{
    static ObjectMap<Zipper> zippers(nxaZip::Frame::Objects());
    return zippers;
}

// unzip answers the integer 1 or 0, zip a boolean.
const RowSpec kRows[] = {
    {"nxa.Zip.create", nxaZip::create, 0, "-1", kAnyThread},
    {"nxa.Zip.zip", nxaZip::zip, 3, "false", kObjectRow},
    {"nxa.Zip.unzip", nxaZip::unzip, 3, "0", kObjectRow},
};

} // namespace

struct nxaZip::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaZip::Definition>;

namespace nxaZip {

json_object* __cdecl create(CallInfo*, int32_t, json_object**)
{
    return AddObject(Zippers(), std::make_shared<Zipper>());
}

json_object* __cdecl zip(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Zippers(), argc, argv, [&](const Zipper& zipper) {
        return MakeFlag(zipper.Zip(ReadText(argv[1]), ReadText(argv[2])));
    });
}

json_object* __cdecl unzip(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Zippers(), argc, argv, [&](const Zipper& zipper) {
        return MakeInt(zipper.Unzip(ReadText(argv[1]), ReadText(argv[2])) ? 1 : 0);
    });
}

} // namespace nxaZip
