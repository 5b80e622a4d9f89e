#include "flashhost.h"

#include "binresource.h"
#include "browserfuncs.h"
#include "dynamiclibrarymsw.h"
#include "flashhttprequests.h"
#include "pluginallocations.h"

namespace {

const uint16_t kPluginResource = 101;

template <class Function>
bool Resolve(const DynamicLibraryMSW& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(const_cast<void*>(library.GetSymbol(name)));
    return function != nullptr;
}

} // namespace

FlashHost& FlashHost::Get()
{
    static FlashHost host;
    return host;
}

FlashHost::FlashHost() : m_pluginFuncs()
{
    FillBrowserFuncs(m_browserFuncs);
}

bool FlashHost::Load()
{
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
    if (!LoadBinResource(kPluginResource, bytes, size))
        return false;
    return LoadFromMemory(bytes, size);
}

bool FlashHost::LoadFromMemory(const uint8_t* pData, uint32_t dataLength)
{
    Unload();
    m_plugin = std::make_shared<DynamicLibraryMSW>(pData, dataLength);
    return InitPlugin();
}

bool FlashHost::InitPlugin()
{
    if (!m_plugin || !m_plugin->m_loaded)
        return false;
    const DynamicLibraryMSW& library = *m_plugin;
    if (!Resolve(library, "NP_GetEntryPoints", NP_GetEntryPoints) ||
        !Resolve(library, "NP_Initialize", NP_Initialize) || !Resolve(library, "NP_Shutdown", NP_Shutdown) ||
        !Resolve(library, "Flash_EnforceLocalSecurity", Flash_EnforceLocalSecurity) ||
        !Resolve(library, "Flash_DisableLocalSecurity", Flash_DisableLocalSecurity))
        return false;
    return NP_GetEntryPoints(&m_pluginFuncs) == NPERR_NO_ERROR && NP_Initialize(&m_browserFuncs) == NPERR_NO_ERROR &&
           Flash_DisableLocalSecurity() == NPERR_NO_ERROR;
}

void FlashHost::Unload()
{
    if (!m_plugin)
        return;
    // Transfers still running would call into the plug-in after it is gone.
    FlashHttpRequests::Get().DeleteAll();
    if (NP_Shutdown)
        NP_Shutdown();
    NP_GetEntryPoints = nullptr;
    NP_Initialize = nullptr;
    NP_Shutdown = nullptr;
    Flash_EnforceLocalSecurity = nullptr;
    Flash_DisableLocalSecurity = nullptr;
    m_pluginFuncs = NPPluginFuncs();
    m_plugin.reset();
    PluginAllocations::FreeAll();
}
