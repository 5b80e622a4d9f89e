#include "browserfuncs.h"

#include "commandcentre.h"
#include "flashhost.h"
#include "flashhttpcurl.h"
#include "flashhttprequests.h"
#include "flashinstance.h"
#include "mainthread.h"
#include "pluginallocations.h"
#include "textconv.h"

#include <wx/msw/wrapwin.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>

namespace {

// The only identifiers the host knows. An identifier is the address of its
// name, so identifiers compare by address.
const char kLocation[] = "location";
const char kTop[] = "top";
const char kCallFunction[] = "CallFunction";
const char kGotoFrame[] = "GotoFrame";
const char kTGotoLabel[] = "TGotoLabel";
const char kGetVariable[] = "GetVariable";
const char kSetVariable[] = "SetVariable";
const char kLoadMovie[] = "LoadMovie";

const char* const kIdentifiers[] = {kLocation, kTop, kCallFunction, kGotoFrame,
                                    kTGotoLabel, kGetVariable, kSetVariable, kLoadMovie};
const char* const kMethodIdentifiers[] = {kCallFunction, kGotoFrame, kTGotoLabel, kGetVariable, kSetVariable, kLoadMovie};

const char kUserAgent[] = "Mozilla/5.0 (Windows; U; Windows NT 6.1; en-GB; rv:1.9.2.8) Gecko/20100722 Firefox/3.6.8";
const char kPageLocation[] = "file://127.0.0.1/index.htm";
const char kPageTop[] = "file://127.0.0.1";

bool IsMethodIdentifier(NPIdentifier identifier)
{
    for (const char* name : kMethodIdentifiers) {
        if (identifier == name)
            return true;
    }
    return false;
}

// Only web and mail addresses go to the system's browser: a file or other
// address handed to the shell could start a program.
bool IsBrowserAddress(const std::string& url)
{
    static const char* const kSchemes[] = {"http://", "https://", "ftp://", "mailto:"};
    for (const char* scheme : kSchemes) {
        if (_strnicmp(url.c_str(), scheme, std::strlen(scheme)) == 0)
            return true;
    }
    return false;
}

bool OpenInSystemBrowser(const char* url)
{
    if (!url || !IsBrowserAddress(url))
        return false;
    const std::wstring wide = Utf8ToWide(url);
    HINSTANCE result = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void SetBool(void* value, bool flag)
{
    *static_cast<NPBool*>(value) = flag ? 1 : 0;
}

} // namespace

NPClass HostNPClass = {
    NP_CLASS_STRUCT_VERSION,
    TEV_NPO_Allocate,
    TEV_NPO_Deallocate,
    TEV_NPO_Invalidate,
    TEV_NPO_HasMethod,
    TEV_NPO_Invoke,
    TEV_NPO_InvokeDefault,
    TEV_NPO_HasProperty,
    TEV_NPO_GetProperty,
    TEV_NPO_SetProperty,
    TEV_NPO_RemoveProperty,
    TEV_NPO_Enumerate,
    TEV_NPO_Construct,
};

void FillBrowserFuncs(NPNetscapeFuncs& funcs)
{
    funcs = NPNetscapeFuncs();
    funcs.size = sizeof(NPNetscapeFuncs);
    funcs.version = NP_VERSION_MINOR;
    funcs.geturl = TEV_NPN_GetURL;
    funcs.posturl = TEV_NPN_PostURL;
    funcs.requestread = TEV_NPN_RequestRead;
    funcs.newstream = TEV_NPN_NewStream;
    funcs.write = TEV_NPN_Write;
    funcs.destroystream = TEV_NPN_DestroyStream;
    funcs.status = TEV_NPN_Status;
    funcs.uagent = TEV_UserAgent;
    funcs.memalloc = TEV_MemAlloc;
    funcs.memfree = TEV_MemFree;
    funcs.memflush = TEV_NPN_MemFlush;
    funcs.reloadplugins = TEV_NPN_ReloadPlugins;
    funcs.getJavaEnv = TEV_NPN_GetJavaEnv;
    funcs.getJavaPeer = TEV_NPN_GetJavaPeer;
    funcs.geturlnotify = TEV_NPN_GetURLNotify;
    funcs.posturlnotify = TEV_NPN_PostURLNotify;
    funcs.getvalue = TEV_NPN_GetValue;
    funcs.setvalue = TEV_NPN_SetValue;
    funcs.invalidaterect = TEV_NPN_InvalidateRect;
    funcs.invalidateregion = TEV_NPN_InvalidateRegion;
    funcs.forceredraw = TEV_NPN_ForceRedraw;
    funcs.getstringidentifier = TEV_NPN_GetStringIdentifier;
    funcs.getstringidentifiers = TEV_NPN_GetStringIdentifiers;
    funcs.getintidentifier = TEV_NPN_GetIntIdentifier;
    funcs.identifierisstring = TEV_NPN_IdentifierIsString;
    funcs.utf8fromidentifier = TEV_NPN_UTF8FromIdentifier;
    funcs.intfromidentifier = TEV_NPN_IntFromIdentifier;
    funcs.createobject = TEV_NPN_CreateObject;
    funcs.retainobject = TEV_NPN_RetainObject;
    funcs.releaseobject = TEV_NPN_ReleaseObject;
    funcs.invoke = TEV_NPN_Invoke;
    funcs.invokeDefault = TEV_NPN_InvokeDefault;
    funcs.evaluate = TEV_NPN_Evaluate;
    funcs.getproperty = TEV_NPN_GetProperty;
    funcs.setproperty = TEV_NPN_SetProperty;
    funcs.removeproperty = TEV_NPN_RemoveProperty;
    funcs.hasproperty = TEV_NPN_HasProperty;
    funcs.hasmethod = TEV_NPN_HasMethod;
    funcs.releasevariantvalue = TEV_NPN_ReleaseVariantValue;
    funcs.setexception = TEV_NPN_SetException;
    funcs.pushpopupsenabledstate = TEV_NPN_PushPopupsEnabledState;
    funcs.poppopupsenabledstate = TEV_NPN_PopPopupsEnabledState;
    funcs.enumerate = TEV_NPN_Enumerate;
    funcs.pluginthreadasynccall = TEV_NPN_PluginThreadAsyncCall;
    funcs.construct = TEV_NPN_Construct;
    funcs.getvalueforurl = TEV_NPN_GetValueForURL;
    funcs.setvalueforurl = TEV_NPN_SetValueForURL;
    funcs.getauthenticationinfo = TEV_NPN_GetAuthenticationInfo;
    funcs.scheduletimer = TEV_NPN_ScheduleTimer;
    funcs.unscheduletimer = TEV_NPN_UnscheduleTimer;
    funcs.popupcontextmenu = TEV_NPN_PopUpContextMenu;
    funcs.convertpoint = TEV_NPN_ConvertPoint;
    funcs.handleevent = TEV_NPN_HandleEvent;
    funcs.unfocusinstance = TEV_NPN_UnfocusInstance;
    funcs.urlredirectresponse = TEV_NPN_URLRedirectResponse;
}

bool NPVariantFromString(const wxString& text, NPVariant& variant)
{
    return NPVariantFromUtf8(WideToUtf8(text.wc_str(), text.length()), variant);
}

bool NPVariantFromUtf8(const std::string& utf8, NPVariant& variant)
{
    variant = NPVariant();
    variant.type = NPVariantType_Void;
    char* characters = static_cast<char*>(std::malloc(utf8.size() + 1));
    if (!characters)
        return false;
    std::memcpy(characters, utf8.c_str(), utf8.size() + 1);
    variant.type = NPVariantType_String;
    variant.value.stringValue.UTF8Characters = characters;
    variant.value.stringValue.UTF8Length = uint32_t(utf8.size());
    return true;
}

wxString StringFromVariant(const NPVariant& variant)
{
    const NPString& text = variant.value.stringValue;
    if (variant.type != NPVariantType_String || !text.UTF8Characters)
        return wxString();
    return wxString(Utf8ToWide(std::string(text.UTF8Characters, text.UTF8Length)));
}

NPError TEV_NPN_GetURL(NPP, const char* url, const char* target)
{
    if (!target)
        return NPERR_GENERIC_ERROR;
    return OpenInSystemBrowser(url) ? NPERR_NO_ERROR : NPERR_GENERIC_ERROR;
}

NPError TEV_NPN_PostURL(NPP, const char*, const char*, uint32_t, const char*, NPBool)
{
    return NPERR_GENERIC_ERROR;
}

NPError TEV_NPN_RequestRead(NPStream*, NPByteRange*)
{
    return NPERR_GENERIC_ERROR;
}

NPError TEV_NPN_NewStream(NPP, NPMIMEType, const char*, NPStream**)
{
    return NPERR_GENERIC_ERROR;
}

int32_t TEV_NPN_Write(NPP, NPStream*, int32_t, void*)
{
    return -1;
}

NPError TEV_NPN_DestroyStream(NPP, NPStream*, NPReason)
{
    return NPERR_GENERIC_ERROR;
}

void TEV_NPN_Status(NPP, const char*) {}

const char* TEV_UserAgent(NPP)
{
    return kUserAgent;
}

void* TEV_MemAlloc(uint32_t size)
{
    return PluginAllocations::Allocate(size);
}

void TEV_MemFree(void* block)
{
    PluginAllocations::Free(block);
}

uint32_t TEV_NPN_MemFlush(uint32_t)
{
    return 0;
}

void TEV_NPN_ReloadPlugins(NPBool) {}

void* TEV_NPN_GetJavaEnv()
{
    return nullptr;
}

void* TEV_NPN_GetJavaPeer(NPP)
{
    return nullptr;
}

namespace {

// Starts one URL request of an instance on the main thread, which owns the
// requests and makes every call into the plug-in.
template <class Start>
NPError StartUrlRequest(NPP npp, const Start& start)
{
    FlashInstance* instance = FlashInstance::FromNPP(npp);
    if (!instance)
        return NPERR_GENERIC_ERROR;
    NPError result = NPERR_GENERIC_ERROR;
    RunOnMainThread([&] {
        FlashHttpCurl& request = FlashHttpRequests::Get().Create(instance->m_formId, FlashHost::Get().PluginFuncs());
        result = start(request);
    });
    return result;
}

} // namespace

NPError TEV_NPN_GetURLNotify(NPP npp, const char* url, const char* target, void* notifyData)
{
    if (url && std::strncmp(url, "javascript:", 11) == 0)
        return NPERR_INVALID_URL;
    if (target)
        return TEV_NPN_GetURL(npp, url, target);
    return StartUrlRequest(npp, [&](FlashHttpCurl& request) {
        return request.GetURLNotify(npp, url, nullptr, notifyData);
    });
}

NPError TEV_NPN_PostURLNotify(NPP npp, const char* url, const char* target, uint32_t len, const char* buf,
                              NPBool file, void* notifyData)
{
    return StartUrlRequest(npp, [&](FlashHttpCurl& request) {
        return request.PostURLNotify(npp, url, target, len, buf, file, notifyData);
    });
}

NPError TEV_NPN_GetValue(NPP npp, NPNVariable variable, void* value)
{
    if (!value)
        return NPERR_INVALID_PARAM;
    switch (variable) {
    case NPNVnetscapeWindow: {
        FlashInstance* instance = FlashInstance::FromNPP(npp);
        if (!instance)
            return NPERR_INVALID_INSTANCE_ERROR;
        *static_cast<void**>(value) = instance->GetNativeWindow();
        return NPERR_NO_ERROR;
    }
    case NPNVWindowNPObject:
        *static_cast<NPObject**>(value) = TEV_NPN_CreateObject(npp, &HostNPClass);
        return NPERR_NO_ERROR;
    case NPNVSupportsWindowless:
        SetBool(value, true);
        return NPERR_NO_ERROR;
    case NPNVprivateModeBool:
        SetBool(value, false);
        return NPERR_NO_ERROR;
    default:
        return NPERR_GENERIC_ERROR;
    }
}

NPError TEV_NPN_SetValue(NPP npp, NPPVariable variable, void* value)
{
    FlashInstance* instance = FlashInstance::FromNPP(npp);
    if (!instance)
        return NPERR_INVALID_INSTANCE_ERROR;
    switch (variable) {
    case NPPVpluginWindowBool:
        instance->m_windowed = value != nullptr;
        return NPERR_NO_ERROR;
    case NPPVpluginTransparentBool:
        instance->m_transparent = value != nullptr;
        return NPERR_NO_ERROR;
    default:
        return NPERR_GENERIC_ERROR;
    }
}

void TEV_NPN_InvalidateRect(NPP npp, NPRect* rect)
{
    FlashInstance* instance = FlashInstance::FromNPP(npp);
    if (instance && rect)
        instance->InvalidateRect(rect->left, rect->top, rect->right, rect->bottom);
}

void TEV_NPN_InvalidateRegion(NPP, NPRegion) {}

void TEV_NPN_ForceRedraw(NPP) {}

NPIdentifier TEV_NPN_GetStringIdentifier(const NPUTF8* name)
{
    if (!name)
        return nullptr;
    for (const char* identifier : kIdentifiers) {
        if (std::strcmp(name, identifier) == 0)
            return const_cast<char*>(identifier);
    }
    return nullptr;
}

void TEV_NPN_GetStringIdentifiers(const NPUTF8**, int32_t, NPIdentifier*) {}

NPIdentifier TEV_NPN_GetIntIdentifier(int32_t)
{
    return nullptr;
}

bool TEV_NPN_IdentifierIsString(NPIdentifier)
{
    return true;
}

NPUTF8* TEV_NPN_UTF8FromIdentifier(NPIdentifier identifier)
{
    if (!IsMethodIdentifier(identifier))
        return nullptr;
    const char* name = static_cast<const char*>(identifier);
    const size_t size = std::strlen(name) + 1;
    char* copy = static_cast<char*>(TEV_MemAlloc(uint32_t(size)));
    if (copy)
        std::memcpy(copy, name, size);
    return copy;
}

int32_t TEV_NPN_IntFromIdentifier(NPIdentifier)
{
    return 0;
}

NPObject* TEV_NPN_CreateObject(NPP npp, NPClass* aClass)
{
    if (!aClass)
        return nullptr;
    NPObject* object = aClass->allocate ? aClass->allocate(npp, aClass)
                                        : static_cast<NPObject*>(TEV_MemAlloc(sizeof(NPObject)));
    if (!object)
        return nullptr;
    object->_class = aClass;
    object->referenceCount = 1;
    return object;
}

NPObject* TEV_NPN_RetainObject(NPObject* obj)
{
    if (obj)
        ++obj->referenceCount;
    return obj;
}

void TEV_NPN_ReleaseObject(NPObject* obj)
{
    if (!obj || obj->referenceCount == 0 || --obj->referenceCount > 0)
        return;
    NPClass* objectClass = obj->_class;
    if (objectClass && objectClass->deallocate) {
        objectClass->deallocate(obj);
        return;
    }
    if (objectClass && objectClass->invalidate)
        objectClass->invalidate(obj);
    TEV_MemFree(obj);
}

bool TEV_NPN_Invoke(NPP, NPObject*, NPIdentifier, const NPVariant*, uint32_t, NPVariant*)
{
    return false;
}

bool TEV_NPN_InvokeDefault(NPP, NPObject*, const NPVariant*, uint32_t, NPVariant*)
{
    return false;
}

// The road of every scripted call: the movie's external call arrives as
// script text and its reply goes back as the string result. The command
// centre works on the main thread, where the plug-in normally calls from.
bool TEV_NPN_Evaluate(NPP npp, NPObject*, NPString* script, NPVariant* result)
{
    if (!result)
        return false;
    std::string_view text;
    if (script && script->UTF8Characters)
        text = std::string_view(script->UTF8Characters, script->UTF8Length);
    FlashInstance* instance = FlashInstance::FromNPP(npp);
    const int32_t formId = instance ? instance->m_formId : -1;
    std::string reply;
    RunOnMainThread([&] { reply = CommandCentre::Get().OnEvaluation(formId, text); });
    NPVariantFromUtf8(reply, *result);
    return true;
}

bool TEV_NPN_GetProperty(NPP, NPObject*, NPIdentifier propertyName, NPVariant* result)
{
    if (!result)
        return false;
    if (propertyName == kLocation)
        return NPVariantFromString(kPageLocation, *result);
    if (propertyName == kTop)
        return NPVariantFromString(kPageTop, *result);
    return false;
}

bool TEV_NPN_SetProperty(NPP, NPObject*, NPIdentifier, const NPVariant*)
{
    return false;
}

bool TEV_NPN_RemoveProperty(NPP, NPObject*, NPIdentifier)
{
    return false;
}

bool TEV_NPN_HasProperty(NPP, NPObject*, NPIdentifier)
{
    return false;
}

bool TEV_NPN_HasMethod(NPP, NPObject*, NPIdentifier)
{
    return false;
}

void TEV_NPN_ReleaseVariantValue(NPVariant* variant)
{
    if (!variant)
        return;
    if (variant->type == NPVariantType_Object) {
        TEV_NPN_ReleaseObject(variant->value.objectValue);
    } else if (variant->type == NPVariantType_String) {
        TEV_MemFree(const_cast<NPUTF8*>(variant->value.stringValue.UTF8Characters));
        variant->value.stringValue.UTF8Length = 0;
    }
    variant->type = NPVariantType_Void;
    variant->value.objectValue = nullptr;
}

void TEV_NPN_SetException(NPObject*, const NPUTF8*) {}

void TEV_NPN_PushPopupsEnabledState(NPP, NPBool) {}

void TEV_NPN_PopPopupsEnabledState(NPP) {}

bool TEV_NPN_Enumerate(NPP, NPObject*, NPIdentifier**, uint32_t*)
{
    return false;
}

void TEV_NPN_PluginThreadAsyncCall(NPP, void (*)(void*), void*) {}

bool TEV_NPN_Construct(NPP, NPObject*, const NPVariant*, uint32_t, NPVariant*)
{
    return false;
}

NPError TEV_NPN_GetValueForURL(NPP, NPNURLVariable, const char*, char**, uint32_t*)
{
    return NPERR_NO_ERROR;
}

NPError TEV_NPN_SetValueForURL(NPP, NPNURLVariable, const char*, const char*, uint32_t)
{
    return NPERR_NO_ERROR;
}

NPError TEV_NPN_GetAuthenticationInfo(NPP, const char*, const char*, int32_t, const char*, const char*, char**,
                                      uint32_t*, char**, uint32_t*)
{
    return NPERR_NO_ERROR;
}

uint32_t TEV_NPN_ScheduleTimer(NPP, uint32_t, NPBool, void (*)(NPP, uint32_t))
{
    return 0;
}

void TEV_NPN_UnscheduleTimer(NPP, uint32_t) {}

NPError TEV_NPN_PopUpContextMenu(NPP, NPMenu*)
{
    return NPERR_NO_ERROR;
}

NPBool TEV_NPN_ConvertPoint(NPP, double, double, NPCoordinateSpace, double*, double*, NPCoordinateSpace)
{
    return 1;
}

NPBool TEV_NPN_HandleEvent(NPP, void*, NPBool)
{
    return 1;
}

NPBool TEV_NPN_UnfocusInstance(NPP, NPFocusDirection)
{
    return 1;
}

void TEV_NPN_URLRedirectResponse(NPP, void*, NPBool) {}

NPObject* TEV_NPO_Allocate(NPP, NPClass*)
{
    return static_cast<NPObject*>(TEV_MemAlloc(sizeof(NPObject)));
}

void TEV_NPO_Deallocate(NPObject* npobj)
{
    wxASSERT(npobj != 0);
    TEV_MemFree(npobj);
}

void TEV_NPO_Invalidate(NPObject*) {}

bool TEV_NPO_HasMethod(NPObject*, NPIdentifier)
{
    return false;
}

bool TEV_NPO_Invoke(NPObject*, NPIdentifier, const NPVariant*, uint32_t, NPVariant*)
{
    return false;
}

bool TEV_NPO_InvokeDefault(NPObject*, const NPVariant*, uint32_t, NPVariant*)
{
    return false;
}

bool TEV_NPO_HasProperty(NPObject*, NPIdentifier)
{
    return false;
}

bool TEV_NPO_GetProperty(NPObject*, NPIdentifier, NPVariant*)
{
    return false;
}

bool TEV_NPO_SetProperty(NPObject*, NPIdentifier, const NPVariant*)
{
    return false;
}

bool TEV_NPO_RemoveProperty(NPObject*, NPIdentifier)
{
    return false;
}

bool TEV_NPO_Enumerate(NPObject*, NPIdentifier**, uint32_t*)
{
    return false;
}

bool TEV_NPO_Construct(NPObject*, const NPVariant*, uint32_t, NPVariant*)
{
    return false;
}
