#pragma once

#include "npdefs.h"

#include <cstdint>
#include <memory>

class DynamicLibraryMSW;

// The plug-in host: maps the plug-in image carried as resource "BIN" 101,
// calls its entry points and acts as its browser. One object for the process;
// Load, Unload and the tables are used on the main thread.
class FlashHost {
public:
    static FlashHost& Get();

    // Maps the plug-in from the resource and initialises it; false when the
    // resource is missing or the plug-in cannot be initialised.
    bool Load();
    // The same for a plug-in image held in memory (read only during the call).
    bool LoadFromMemory(const uint8_t* pData, uint32_t dataLength);
    // Shuts the plug-in down, frees its image and then the memory it left
    // allocated. Does nothing when nothing is loaded.
    void Unload();

    const NPNetscapeFuncs& BrowserFuncs() const { return m_browserFuncs; }
    const NPPluginFuncs& PluginFuncs() const { return m_pluginFuncs; }

private:
    FlashHost();
    bool InitPlugin();

    std::shared_ptr<DynamicLibraryMSW> m_plugin;
    NP_GetEntryPointsFunc NP_GetEntryPoints = nullptr;
    NP_InitializeFunc NP_Initialize = nullptr;
    NP_ShutdownFunc NP_Shutdown = nullptr;
    Flash_EnforceLocalSecurityFunc Flash_EnforceLocalSecurity = nullptr;
    Flash_DisableLocalSecurityFunc Flash_DisableLocalSecurity = nullptr;
    NPNetscapeFuncs m_browserFuncs;
    NPPluginFuncs m_pluginFuncs;
};
