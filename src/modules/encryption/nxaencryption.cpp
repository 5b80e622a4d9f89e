#include "nxaencryption.h"

#include "commandargs.h"
#include "encryptedfile.h"
#include "encryptedtext.h"
#include "encryptor.h"
#include "formwork.h"
#include "objectrows.h"
#include "rowcontext.h"

#include <memory>
#include <string>

namespace {

ObjectMap<Encryptor>& Encryptors()
{
    static ObjectMap<Encryptor> encryptors(nxaEncryption::Frame::Objects());
    return encryptors;
}

using FileWork = bool (*)(const std::string& key, const wxString& source, const wxString& destination);
using TextWork = bool (*)(const std::string& key, const std::string& input, std::string& output);

bool CallingFormIsRegistered(const CallInfo& call)
{
    return WithForm<MovieForm>(call.formId, [](MovieForm&) {});
}

// The object's work, when the id is live and the calling form still there;
// the row's fallback (and no event) otherwise.
template <class Work>
json_object* WithEncryptor(const CallInfo& call, int32_t argc, json_object** argv, Work&& work)
{
    return WithObject(Encryptors(), argc, argv, [&](Encryptor& encryptor) {
        return CallingFormIsRegistered(call) ? work(encryptor) : RowFallback();
    });
}

json_object* RunFileWork(const CallInfo& call, int32_t argc, json_object** argv, FileWork work)
{
    return WithEncryptor(call, argc, argv, [&](Encryptor& encryptor) {
        const bool written = work(ReadUtf8(argv[1]), ReadText(argv[2]), ReadText(argv[3]));
        EventDispatcher::ReportOutcome(call, encryptor, written);
        return MakeFlag(written);
    });
}

json_object* RunTextWork(const CallInfo& call, int32_t argc, json_object** argv, TextWork work)
{
    return WithEncryptor(call, argc, argv, [&](Encryptor&) {
        std::string output;
        return work(ReadUtf8(argv[1]), ReadUtf8(argv[2]), output) ? MakeUtf8(output) : nullptr;
    });
}

const RowSpec kRows[] = {
    {"nxa.Encryption.create", nxaEncryption::create, 0, "-1", kAnyThread},
    {"nxa.Encryption.decryptFile", nxaEncryption::decryptFile, 4, "false", kObjectRow},
    {"nxa.Encryption.decryptString", nxaEncryption::decryptString, 3, "null", kObjectRow},
    {"nxa.Encryption.encryptFile", nxaEncryption::encryptFile, 4, "false", kObjectRow},
    {"nxa.Encryption.encryptString", nxaEncryption::encryptString, 3, "null", kObjectRow},
};

} // namespace

struct nxaEncryption::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaEncryption::Definition>;

namespace nxaEncryption {

json_object* __cdecl create(CallInfo* call, int32_t, json_object**)
{
    return AddObject(Encryptors(), std::make_shared<Encryptor>(*call));
}

json_object* __cdecl decryptFile(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunFileWork(*call, argc, argv, EncryptedFile::Decrypt);
}

json_object* __cdecl decryptString(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunTextWork(*call, argc, argv, EncryptedText::Decrypt);
}

json_object* __cdecl encryptFile(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunFileWork(*call, argc, argv, EncryptedFile::Encrypt);
}

json_object* __cdecl encryptString(CallInfo* call, int32_t argc, json_object** argv)
{
    return RunTextWork(*call, argc, argv, EncryptedText::Encrypt);
}

} // namespace nxaEncryption
