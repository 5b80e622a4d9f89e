#pragma once

#include "commandcentre.h"
#include "packagecontent.h"
#include "scopedcommandcentre.h"

#include <memory>

class CPackage;

// The package written from the content and read back as the runtime reads it;
// null when it does not read.
std::shared_ptr<CPackage> MakePackage(const PackageContent& content);

// The command centre with the Application module, and the package that its
// commands read, for one test; both go at the end.
class ApplicationModuleScope {
public:
    explicit ApplicationModuleScope(const PackageContent& content = PackageContent());
    ~ApplicationModuleScope();
    ApplicationModuleScope(const ApplicationModuleScope&) = delete;
    ApplicationModuleScope& operator=(const ApplicationModuleScope&) = delete;

    bool Ready() const { return m_centre.Initialised() && m_packageRead; }

private:
    bool m_packageRead;
    ScopedCommandCentre m_centre;
};
