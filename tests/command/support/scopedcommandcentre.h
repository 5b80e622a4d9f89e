#pragma once

#include "commandcentre.h"

// Initialises the command centre with the given modules (and extension
// libraries) for one test and shuts it down at the end.
class ScopedCommandCentre {
public:
    explicit ScopedCommandCentre(const std::vector<ModuleDescriptor*>& modules,
                                 std::vector<std::unique_ptr<ExtensionImage>> extensions = {});
    ~ScopedCommandCentre();
    ScopedCommandCentre(const ScopedCommandCentre&) = delete;
    ScopedCommandCentre& operator=(const ScopedCommandCentre&) = delete;

    bool Initialised() const { return m_initialised; }

private:
    bool m_initialised;
};
