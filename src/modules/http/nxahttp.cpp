#include "nxahttp.h"

#include "commandargs.h"
#include "curlhttp.h"
#include "objectrows.h"

#include <memory>

namespace {

ObjectMap<CurlHttp>& Downloaders()
{
    static ObjectMap<CurlHttp> downloaders(nxaHTTP::Frame::Objects());
    return downloaders;
}

const RowSpec kRows[] = {
    {"nxa.HTTP.create", nxaHTTP::create, 0, "-1", kAnyThread},
    {"nxa.HTTP.abort", nxaHTTP::abort, 1, "0", kObjectRow},
    {"nxa.HTTP.close", nxaHTTP::close, 1, "0", kObjectRow},
    {"nxa.HTTP.getFile", nxaHTTP::getFile, 5, "0", kObjectRow},
    {"nxa.HTTP.getString", nxaHTTP::getString, 4, "0", kObjectRow},
};

} // namespace

struct nxaHTTP::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaHTTP::Definition>;

namespace nxaHTTP {

json_object* __cdecl create(CallInfo* call, int32_t, json_object**)
{
    return AddObject(Downloaders(), std::make_shared<CurlHttp>(*call));
}

json_object* __cdecl abort(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Downloaders(), argc, argv, [](CurlHttp& http) {
        http.Abort();
        return MakeInt(0);
    });
}

json_object* __cdecl close(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Downloaders(), argc, argv, [](CurlHttp& http) {
        http.Close();
        return MakeInt(0);
    });
}

json_object* __cdecl getFile(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Downloaders(), argc, argv, [&](CurlHttp& http) {
        http.GetFile(ReadUtf8(argv[1]), ReadUtf8(argv[2]), ReadUtf8(argv[3]), ReadText(argv[4]).ToStdWstring());
        return MakeInt(0);
    });
}

json_object* __cdecl getString(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Downloaders(), argc, argv, [&](CurlHttp& http) {
        http.GetString(ReadUtf8(argv[1]), ReadUtf8(argv[2]), ReadUtf8(argv[3]));
        return MakeInt(0);
    });
}

} // namespace nxaHTTP
