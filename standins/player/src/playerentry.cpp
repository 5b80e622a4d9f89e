// The library's exports and its NPP function table. Every call is recorded
// in the transcript; the per-instance work is PlayerInstance's.

#include "browser.h"
#include "npdefs.h"
#include "playerinstance.h"
#include "transcript.h"

#include <windows.h>

#include <algorithm>
#include <vector>

using player::PlayerInstance;
using player::Transcript;

namespace {

std::vector<PlayerInstance*> g_instances;
int g_instanceCounter = 0;
UINT_PTR g_timer = 0;
// The instance whose script step is running, and whether its NPP_Destroy
// came in the meantime (a modal loop inside a browser call can bring it).
PlayerInstance* g_ticking = nullptr;
bool g_destroyWhileTicking = false;

constexpr UINT kTickMs = 10;

PlayerInstance* InstanceOf(NPP npp, const char* call)
{
    PlayerInstance* instance = npp ? static_cast<PlayerInstance*>(npp->pdata) : nullptr;
    if (!instance || std::find(g_instances.begin(), g_instances.end(), instance) == g_instances.end()) {
        Transcript::Write(0, std::string(call) + " without instance");
        return nullptr;
    }
    return instance;
}

void CALLBACK TickInstances(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_ticking)
        return;
    std::vector<PlayerInstance*> instances = g_instances;
    for (PlayerInstance* instance : instances) {
        if (std::find(g_instances.begin(), g_instances.end(), instance) == g_instances.end())
            continue;
        g_ticking = instance;
        g_destroyWhileTicking = false;
        instance->Tick(GetTickCount());
        g_ticking = nullptr;
        if (g_destroyWhileTicking)
            delete instance;
    }
}

// A thread timer of the thread that creates the instances: it fires from
// that thread's message loop, like the player's own frame timer.
void UpdateTimer()
{
    if (!g_instances.empty() && !g_timer)
        g_timer = SetTimer(nullptr, 0, kTickMs, TickInstances);
    else if (g_instances.empty() && g_timer) {
        KillTimer(nullptr, g_timer);
        g_timer = 0;
    }
}

NPError NewInstance(NPMIMEType type, NPP npp, uint16_t mode, int16_t argc, char* argn[], char* argv[], NPSavedData*)
{
    if (!npp) {
        Transcript::Write(0, "NPP_New without NPP");
        return NPERR_INVALID_INSTANCE_ERROR;
    }
    PlayerInstance* instance = new PlayerInstance(npp, ++g_instanceCounter);
    instance->Record("NPP_New type=" + std::string(type ? type : "(null)") + " mode=" + std::to_string(mode) +
                     " argc=" + std::to_string(argc));
    npp->pdata = instance;
    g_instances.push_back(instance);
    instance->Start(argc, argn, argv);
    UpdateTimer();
    return NPERR_NO_ERROR;
}

NPError DestroyInstance(NPP npp, NPSavedData** save)
{
    PlayerInstance* instance = InstanceOf(npp, "NPP_Destroy");
    if (!instance)
        return NPERR_INVALID_INSTANCE_ERROR;
    instance->Record("NPP_Destroy");
    if (save)
        *save = nullptr;
    instance->Stop();
    g_instances.erase(std::find(g_instances.begin(), g_instances.end(), instance));
    npp->pdata = nullptr;
    if (instance == g_ticking)
        g_destroyWhileTicking = true;
    else
        delete instance;
    UpdateTimer();
    return NPERR_NO_ERROR;
}

NPError SetWindow(NPP npp, NPWindow* window)
{
    PlayerInstance* instance = InstanceOf(npp, "NPP_SetWindow");
    return instance ? instance->SetWindow(window) : NPERR_INVALID_INSTANCE_ERROR;
}

NPError NewStream(NPP npp, NPMIMEType type, NPStream* stream, NPBool seekable, uint16_t* streamType)
{
    PlayerInstance* instance = InstanceOf(npp, "NPP_NewStream");
    return instance ? instance->NewStream(type, stream, seekable, streamType) : NPERR_INVALID_INSTANCE_ERROR;
}

NPError DestroyStream(NPP npp, NPStream* stream, NPReason reason)
{
    PlayerInstance* instance = InstanceOf(npp, "NPP_DestroyStream");
    return instance ? instance->DestroyStream(stream, reason) : NPERR_INVALID_INSTANCE_ERROR;
}

void StreamAsFile(NPP npp, NPStream* stream, const char* fileName)
{
    if (PlayerInstance* instance = InstanceOf(npp, "NPP_StreamAsFile"))
        instance->StreamAsFile(stream, fileName);
}

int32_t WriteReady(NPP npp, NPStream* stream)
{
    PlayerInstance* instance = InstanceOf(npp, "NPP_WriteReady");
    return instance ? instance->WriteReady(stream) : 0;
}

int32_t Write(NPP npp, NPStream* stream, int32_t offset, int32_t length, void* buffer)
{
    PlayerInstance* instance = InstanceOf(npp, "NPP_Write");
    return instance ? instance->Write(stream, offset, length, buffer) : -1;
}

void Print(NPP npp, NPPrint*)
{
    if (PlayerInstance* instance = InstanceOf(npp, "NPP_Print"))
        instance->Record("NPP_Print");
}

int16_t HandleEvent(NPP npp, void* event)
{
    PlayerInstance* instance = InstanceOf(npp, "NPP_HandleEvent");
    return instance ? instance->HandleEvent(static_cast<const NPEvent*>(event)) : 0;
}

void UrlNotify(NPP npp, const char* url, NPReason reason, void* notifyData)
{
    if (PlayerInstance* instance = InstanceOf(npp, "NPP_URLNotify"))
        instance->UrlNotify(url, reason, notifyData);
}

NPError GetValue(NPP npp, NPPVariable variable, void* value)
{
    PlayerInstance* instance = InstanceOf(npp, "NPP_GetValue");
    return instance ? instance->GetValue(variable, value) : NPERR_INVALID_INSTANCE_ERROR;
}

NPError SetValue(NPP npp, NPNVariable variable, void* value)
{
    PlayerInstance* instance = InstanceOf(npp, "NPP_SetValue");
    return instance ? instance->SetValue(variable, value) : NPERR_INVALID_INSTANCE_ERROR;
}

} // namespace

extern "C" {

NPError NP_EXPORT_CALL NP_GetEntryPoints(NPPluginFuncs* funcs)
{
    Transcript::Write(0, "NP_GetEntryPoints");
    if (!funcs)
        return NPERR_INVALID_FUNCTABLE_ERROR;
    // The browser may leave the size field 0; the table is written whole.
    *funcs = NPPluginFuncs();
    funcs->size = sizeof(NPPluginFuncs);
    funcs->version = NP_VERSION_MAJOR << 8 | NP_VERSION_MINOR;
    funcs->newp = NewInstance;
    funcs->destroy = DestroyInstance;
    funcs->setwindow = SetWindow;
    funcs->newstream = NewStream;
    funcs->destroystream = DestroyStream;
    funcs->asfile = StreamAsFile;
    funcs->writeready = WriteReady;
    funcs->write = Write;
    funcs->print = Print;
    funcs->event = HandleEvent;
    funcs->urlnotify = UrlNotify;
    funcs->getvalue = GetValue;
    funcs->setvalue = SetValue;
    return NPERR_NO_ERROR;
}

NPError NP_EXPORT_CALL NP_Initialize(NPNetscapeFuncs* funcs)
{
    Transcript::SetMainThread();
    Transcript::Write(0, "NP_Initialize size=" + std::to_string(funcs ? funcs->size : 0) +
                             " version=" + std::to_string(funcs ? funcs->version : 0));
    return player::SetBrowser(funcs) ? NPERR_NO_ERROR : NPERR_INVALID_FUNCTABLE_ERROR;
}

NPError NP_EXPORT_CALL NP_Shutdown(void)
{
    Transcript::Write(0, "NP_Shutdown instances=" + std::to_string(g_instances.size()));
    player::ClearBrowser();
    Transcript::Close();
    return NPERR_NO_ERROR;
}

NPError NP_EXPORT_CALL Flash_EnforceLocalSecurity(void)
{
    Transcript::Write(0, "Flash_EnforceLocalSecurity");
    return NPERR_NO_ERROR;
}

NPError NP_EXPORT_CALL Flash_DisableLocalSecurity(void)
{
    Transcript::Write(0, "Flash_DisableLocalSecurity");
    return NPERR_NO_ERROR;
}

} // extern "C"
