// A whole project package from its bytes: every record read, then every
// stored part opened as the runtime opens it (movies deciphered, images
// expanded, values deciphered, files descrambled).
#include "cencryptedstring.h"
#include "cpackage.h"
#include "cpackagebinary.h"
#include "cpackageform.h"
#include "packagereader.h"

#include <openssl/err.h>

#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

void OpenForm(const CPackageForm& form)
{
    std::unique_ptr<unsigned char[]> bytes;
    int32_t length = 0;
    form.GetMovie(length, bytes);
    form.GetUnencryptedMovie(length, bytes);
    form.GetMaskImage(bytes, length);
    form.MovieVersion();
}

void OpenBinary(const CPackageBinary& binary)
{
    std::unique_ptr<unsigned char[]> bytes;
    int32_t length = 0;
    binary.GetData(length, bytes);
}

void OpenPackage(const CPackage& package)
{
    for (const auto& form : package.Forms())
        OpenForm(*form);
    for (const auto& file : package.EmbeddedFiles())
        OpenBinary(*file);
    for (const auto& entry : package.LibraryFiles())
        OpenBinary(*entry.second);
    for (const auto& entry : package.SecureVariables())
        entry.second->GetText();
    for (const auto& entry : package.GlobalVariables())
        entry.second->GetText();
    for (const auto& value : package.ReservedValues())
        value->GetText();
    std::unique_ptr<unsigned char[]> bytes;
    int32_t length = 0;
    package.GetSplashImage(bytes, length);
    package.GetTrayIcon(bytes, length);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The runtime reads its package from memory, or as a C stream when its
    // file cannot be mapped: both readers.
    PackageReader memoryReader(data, size, nullptr);
    CPackage fromMemory;
    fromMemory.Read(memoryReader);
    OpenPackage(fromMemory);
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!file)
        return 0;
    PackageReader reader(file, true);
    CPackage package;
    package.Read(reader);
    OpenPackage(package);
    // The error queue keeps what the key reader left; emptied so that every
    // run frees what it took and the leak check stays cheap.
    ERR_clear_error();
    return 0;
}
