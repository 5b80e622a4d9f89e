#include "applicationtestsupport.h"

#include "appstate.h"
#include "cpackage.h"
#include "nxaapplication.h"
#include "packagereader.h"
#include "packagewriter.h"
#include "scratchfolder.h"
#include "wholefile.h"

std::shared_ptr<CPackage> MakePackage(const PackageContent& content)
{
    PackageWriter writer;
    writer.WritePackage(content);
    ScratchFolder folder;
    const std::wstring path = folder / L"package.bin";
    if (!WriteWholeFile(path, writer.Bytes().data(), static_cast<long>(writer.Bytes().size())))
        return nullptr;
    std::FILE* file = OpenFileWide(path, L"rb");
    if (!file)
        return nullptr;
    auto package = std::make_shared<CPackage>();
    PackageReader reader(file, true);
    return package->Read(reader) ? package : nullptr;
}

namespace {

bool InstallPackage(const PackageContent& content)
{
    std::shared_ptr<CPackage> package = MakePackage(content);
    GetAppState().SetPackage(package);
    return package != nullptr;
}

} // namespace

ApplicationModuleScope::ApplicationModuleScope(const PackageContent& content)
    : m_packageRead(InstallPackage(content)), m_centre({&nxaApplication::Frame::Descriptor()})
{
}

ApplicationModuleScope::~ApplicationModuleScope()
{
    GetAppState().SetPackage(nullptr);
}
