#include "scopedcommandcentre.h"

ScopedCommandCentre::ScopedCommandCentre(const std::vector<ModuleDescriptor*>& modules,
                                         std::vector<std::unique_ptr<ExtensionImage>> extensions)
    : m_initialised(CommandCentre::Get().Initialise(modules, std::move(extensions)))
{
}

ScopedCommandCentre::~ScopedCommandCentre()
{
    CommandCentre::Get().Shutdown();
}
