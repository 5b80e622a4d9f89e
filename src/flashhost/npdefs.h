#pragma once

// The Netscape plug-in interface (NPAPI, with its scripting part npruntime) as
// this program uses it on Windows: the browser side (the plug-in host) and the
// plug-in side (the stand-in player) both compile against these declarations.
// Named npdefs.h because the compiler's own include path already holds an
// unrelated npapi.h.
//
// Calling conventions: the three NP_* exports are WINAPI (stdcall on 32-bit
// x86); every function reached through a table (NPN_*, NPP_*, NPClass
// callbacks) is a plain C function (cdecl). On x86-64 there is one
// convention, so the distinction only matters for the 32-bit build.

#include <stddef.h>
#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#ifdef _WIN32
#define NP_EXPORT_CALL __stdcall
#else
#define NP_EXPORT_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// ---------------------------------------------------------------------------
// Basic types and constants

#define NP_VERSION_MAJOR 0
#define NP_VERSION_MINOR 27

typedef unsigned char NPBool;
typedef int16_t NPError;
typedef int16_t NPReason;
typedef char* NPMIMEType;
typedef char NPUTF8;

// Error codes (NPError).
#define NPERR_BASE 0
#define NPERR_NO_ERROR 0
#define NPERR_GENERIC_ERROR 1
#define NPERR_INVALID_INSTANCE_ERROR 2
#define NPERR_INVALID_FUNCTABLE_ERROR 3
#define NPERR_MODULE_LOAD_FAILED_ERROR 4
#define NPERR_OUT_OF_MEMORY_ERROR 5
#define NPERR_INVALID_PLUGIN_ERROR 6
#define NPERR_INVALID_PLUGIN_DIR_ERROR 7
#define NPERR_INCOMPATIBLE_VERSION_ERROR 8
#define NPERR_INVALID_PARAM 9
#define NPERR_INVALID_URL 10
#define NPERR_FILE_NOT_FOUND 11
#define NPERR_NO_DATA 12
#define NPERR_STREAM_NOT_SEEKABLE 13

// Reasons a stream or URL request ended (NPReason).
#define NPRES_DONE 0
#define NPRES_NETWORK_ERR 1
#define NPRES_USER_BREAK 2

// Stream types a plug-in may pick in NPP_NewStream.
#define NP_NORMAL 1
#define NP_SEEK 2
#define NP_ASFILE 3
#define NP_ASFILEONLY 4

// Instance modes of NPP_New.
#define NP_EMBED 1
#define NP_FULL 2

// Largest write a plug-in may announce from NPP_WriteReady.
#define NP_MAXREADY (((unsigned)(~0) << 1) >> 1)

// One plug-in instance: pdata belongs to the plug-in, ndata to the browser.
typedef struct _NPP {
    void* pdata;
    void* ndata;
} NPP_t;
typedef NPP_t* NPP;

typedef struct _NPStream {
    void* pdata;
    void* ndata;
    const char* url;
    uint32_t end;
    uint32_t lastmodified;
    void* notifyData;
    const char* headers;
} NPStream;

typedef struct _NPByteRange {
    int32_t offset;
    uint32_t length;
    struct _NPByteRange* next;
} NPByteRange;

typedef struct _NPSavedData {
    int32_t len;
    void* buf;
} NPSavedData;

// Fields in this order: top, left, bottom, right.
typedef struct _NPRect {
    uint16_t top;
    uint16_t left;
    uint16_t bottom;
    uint16_t right;
} NPRect;

typedef void* NPRegion; // HRGN on Windows

typedef enum {
    NPWindowTypeWindow = 1,   // window is an HWND
    NPWindowTypeDrawable = 2  // window is an HDC
} NPWindowType;

typedef struct _NPWindow {
    void* window;
    int32_t x;
    int32_t y;
    uint32_t width;
    uint32_t height;
    NPRect clipRect;
    NPWindowType type;
} NPWindow;

typedef struct _NPFullPrint {
    NPBool pluginPrinted;
    NPBool printOne;
    void* platformPrint;
} NPFullPrint;

typedef struct _NPEmbedPrint {
    NPWindow window;
    void* platformPrint;
} NPEmbedPrint;

typedef struct _NPPrint {
    uint16_t mode; // NP_FULL or NP_EMBED
    union {
        NPFullPrint fullPrint;
        NPEmbedPrint embedPrint;
    } print;
} NPPrint;

// A window message for a windowless instance: the message number and its two
// parameters as the window procedure received them.
typedef struct _NPEvent {
    uint16_t event;
    uintptr_t wParam;
    uintptr_t lParam;
} NPEvent;

typedef enum {
    NPFocusNext = 0,
    NPFocusPrevious = 1
} NPFocusDirection;

typedef enum {
    NPCoordinateSpacePlugin = 1,
    NPCoordinateSpaceWindow,
    NPCoordinateSpaceFlippedWindow,
    NPCoordinateSpaceScreen,
    NPCoordinateSpaceFlippedScreen
} NPCoordinateSpace;

typedef enum {
    NPNURLVCookie = 501,
    NPNURLVProxy
} NPNURLVariable;

typedef void* NPMenu;

// Variables the browser asks of the plug-in (NPP_GetValue) and the plug-in
// sets in the browser (NPN_SetValue).
typedef enum {
    NPPVpluginNameString = 1,
    NPPVpluginDescriptionString = 2,
    NPPVpluginWindowBool = 3,
    NPPVpluginTransparentBool = 4,
    NPPVjavaClass = 5,
    NPPVpluginWindowSize = 6,
    NPPVpluginTimerInterval = 7,
    NPPVpluginScriptableIID = 11,
    NPPVjavascriptPushCallerBool = 12,
    NPPVpluginKeepLibraryInMemory = 13,
    NPPVpluginNeedsXEmbed = 14,
    NPPVpluginScriptableNPObject = 15,
    NPPVformValue = 16,
    NPPVpluginUrlRequestsDisplayedBool = 17,
    NPPVpluginWantsAllNetworkStreams = 18,
    NPPVpluginCancelSrcStream = 20
} NPPVariable;

// Variables the plug-in asks of the browser (NPN_GetValue) and the browser
// sets in the plug-in (NPP_SetValue).
typedef enum {
    NPNVxDisplay = 1,
    NPNVxtAppContext = 2,
    NPNVnetscapeWindow = 3,
    NPNVjavascriptEnabledBool = 4,
    NPNVasdEnabledBool = 5,
    NPNVisOfflineBool = 6,
    NPNVserviceManager = 10,
    NPNVDOMElement = 11,
    NPNVDOMWindow = 12,
    NPNVToolkit = 13,
    NPNVSupportsXEmbedBool = 14,
    NPNVWindowNPObject = 15,
    NPNVPluginElementNPObject = 16,
    NPNVSupportsWindowless = 17,
    NPNVprivateModeBool = 18
} NPNVariable;

// ---------------------------------------------------------------------------
// Scripting (npruntime)

typedef void* NPIdentifier;

typedef struct _NPString {
    const NPUTF8* UTF8Characters;
    uint32_t UTF8Length; // bytes, without a terminating zero
} NPString;

typedef enum {
    NPVariantType_Void = 0,
    NPVariantType_Null = 1,
    NPVariantType_Bool = 2,
    NPVariantType_Int32 = 3,
    NPVariantType_Double = 4,
    NPVariantType_String = 5,
    NPVariantType_Object = 6
} NPVariantType;

typedef struct NPObject NPObject;
typedef struct NPClass NPClass;

typedef struct _NPVariant {
    NPVariantType type;
    union {
        bool boolValue;
        int32_t intValue;
        double doubleValue;
        NPString stringValue;
        NPObject* objectValue;
    } value;
} NPVariant;

typedef NPObject* (*NPAllocateFunctionPtr)(NPP npp, NPClass* aClass);
typedef void (*NPDeallocateFunctionPtr)(NPObject* npobj);
typedef void (*NPInvalidateFunctionPtr)(NPObject* npobj);
typedef bool (*NPHasMethodFunctionPtr)(NPObject* npobj, NPIdentifier name);
typedef bool (*NPInvokeFunctionPtr)(NPObject* npobj, NPIdentifier name, const NPVariant* args,
                                    uint32_t argCount, NPVariant* result);
typedef bool (*NPInvokeDefaultFunctionPtr)(NPObject* npobj, const NPVariant* args, uint32_t argCount,
                                           NPVariant* result);
typedef bool (*NPHasPropertyFunctionPtr)(NPObject* npobj, NPIdentifier name);
typedef bool (*NPGetPropertyFunctionPtr)(NPObject* npobj, NPIdentifier name, NPVariant* result);
typedef bool (*NPSetPropertyFunctionPtr)(NPObject* npobj, NPIdentifier name, const NPVariant* value);
typedef bool (*NPRemovePropertyFunctionPtr)(NPObject* npobj, NPIdentifier name);
typedef bool (*NPEnumerationFunctionPtr)(NPObject* npobj, NPIdentifier** value, uint32_t* count);
typedef bool (*NPConstructFunctionPtr)(NPObject* npobj, const NPVariant* args, uint32_t argCount,
                                       NPVariant* result);

#define NP_CLASS_STRUCT_VERSION 3

struct NPClass {
    uint32_t structVersion;
    NPAllocateFunctionPtr allocate;
    NPDeallocateFunctionPtr deallocate;
    NPInvalidateFunctionPtr invalidate;
    NPHasMethodFunctionPtr hasMethod;
    NPInvokeFunctionPtr invoke;
    NPInvokeDefaultFunctionPtr invokeDefault;
    NPHasPropertyFunctionPtr hasProperty;
    NPGetPropertyFunctionPtr getProperty;
    NPSetPropertyFunctionPtr setProperty;
    NPRemovePropertyFunctionPtr removeProperty;
    NPEnumerationFunctionPtr enumerate;
    NPConstructFunctionPtr construct;
};

// Objects of any class start with this record; a class's allocate may return
// a larger one.
struct NPObject {
    NPClass* _class;
    uint32_t referenceCount;
};

// ---------------------------------------------------------------------------
// Plug-in functions (NPP_*), called by the browser through NPPluginFuncs

typedef NPError (*NPP_NewProcPtr)(NPMIMEType pluginType, NPP instance, uint16_t mode, int16_t argc,
                                  char* argn[], char* argv[], NPSavedData* saved);
typedef NPError (*NPP_DestroyProcPtr)(NPP instance, NPSavedData** save);
typedef NPError (*NPP_SetWindowProcPtr)(NPP instance, NPWindow* window);
typedef NPError (*NPP_NewStreamProcPtr)(NPP instance, NPMIMEType type, NPStream* stream, NPBool seekable,
                                        uint16_t* stype);
typedef NPError (*NPP_DestroyStreamProcPtr)(NPP instance, NPStream* stream, NPReason reason);
typedef void (*NPP_StreamAsFileProcPtr)(NPP instance, NPStream* stream, const char* fname);
typedef int32_t (*NPP_WriteReadyProcPtr)(NPP instance, NPStream* stream);
typedef int32_t (*NPP_WriteProcPtr)(NPP instance, NPStream* stream, int32_t offset, int32_t len,
                                    void* buffer);
typedef void (*NPP_PrintProcPtr)(NPP instance, NPPrint* platformPrint);
typedef int16_t (*NPP_HandleEventProcPtr)(NPP instance, void* event);
typedef void (*NPP_URLNotifyProcPtr)(NPP instance, const char* url, NPReason reason, void* notifyData);
typedef NPError (*NPP_GetValueProcPtr)(NPP instance, NPPVariable variable, void* ret_value);
typedef NPError (*NPP_SetValueProcPtr)(NPP instance, NPNVariable variable, void* value);
typedef NPBool (*NPP_GotFocusPtr)(NPP instance, NPFocusDirection direction);
typedef void (*NPP_LostFocusPtr)(NPP instance);
typedef void (*NPP_URLRedirectNotifyPtr)(NPP instance, const char* url, int32_t status, void* notifyData);
typedef NPError (*NPP_ClearSiteDataPtr)(const char* site, uint64_t flags, uint64_t maxAge);
typedef char** (*NPP_GetSitesWithDataPtr)(void);

// The plug-in's table: 80 bytes in the 32-bit build (size, version and 19
// pointers). Filled by NP_GetEntryPoints.
typedef struct _NPPluginFuncs {
    uint16_t size;
    uint16_t version;
    NPP_NewProcPtr newp;
    NPP_DestroyProcPtr destroy;
    NPP_SetWindowProcPtr setwindow;
    NPP_NewStreamProcPtr newstream;
    NPP_DestroyStreamProcPtr destroystream;
    NPP_StreamAsFileProcPtr asfile;
    NPP_WriteReadyProcPtr writeready;
    NPP_WriteProcPtr write;
    NPP_PrintProcPtr print;
    NPP_HandleEventProcPtr event;
    NPP_URLNotifyProcPtr urlnotify;
    void* javaClass;
    NPP_GetValueProcPtr getvalue;
    NPP_SetValueProcPtr setvalue;
    NPP_GotFocusPtr gotfocus;
    NPP_LostFocusPtr lostfocus;
    NPP_URLRedirectNotifyPtr urlredirectnotify;
    NPP_ClearSiteDataPtr clearsitedata;
    NPP_GetSitesWithDataPtr getsiteswithdata;
} NPPluginFuncs;

// ---------------------------------------------------------------------------
// Browser functions (NPN_*), called by the plug-in through NPNetscapeFuncs

typedef NPError (*NPN_GetURLProcPtr)(NPP instance, const char* url, const char* window);
typedef NPError (*NPN_PostURLProcPtr)(NPP instance, const char* url, const char* window, uint32_t len,
                                      const char* buf, NPBool file);
typedef NPError (*NPN_RequestReadProcPtr)(NPStream* stream, NPByteRange* rangeList);
typedef NPError (*NPN_NewStreamProcPtr)(NPP instance, NPMIMEType type, const char* window,
                                        NPStream** stream);
typedef int32_t (*NPN_WriteProcPtr)(NPP instance, NPStream* stream, int32_t len, void* buffer);
typedef NPError (*NPN_DestroyStreamProcPtr)(NPP instance, NPStream* stream, NPReason reason);
typedef void (*NPN_StatusProcPtr)(NPP instance, const char* message);
typedef const char* (*NPN_UserAgentProcPtr)(NPP instance);
typedef void* (*NPN_MemAllocProcPtr)(uint32_t size);
typedef void (*NPN_MemFreeProcPtr)(void* ptr);
typedef uint32_t (*NPN_MemFlushProcPtr)(uint32_t size);
typedef void (*NPN_ReloadPluginsProcPtr)(NPBool reloadPages);
typedef void* (*NPN_GetJavaEnvProcPtr)(void);
typedef void* (*NPN_GetJavaPeerProcPtr)(NPP instance);
typedef NPError (*NPN_GetURLNotifyProcPtr)(NPP instance, const char* url, const char* window,
                                           void* notifyData);
typedef NPError (*NPN_PostURLNotifyProcPtr)(NPP instance, const char* url, const char* window, uint32_t len,
                                            const char* buf, NPBool file, void* notifyData);
typedef NPError (*NPN_GetValueProcPtr)(NPP instance, NPNVariable variable, void* ret_value);
typedef NPError (*NPN_SetValueProcPtr)(NPP instance, NPPVariable variable, void* value);
typedef void (*NPN_InvalidateRectProcPtr)(NPP instance, NPRect* rect);
typedef void (*NPN_InvalidateRegionProcPtr)(NPP instance, NPRegion region);
typedef void (*NPN_ForceRedrawProcPtr)(NPP instance);
typedef NPIdentifier (*NPN_GetStringIdentifierProcPtr)(const NPUTF8* name);
typedef void (*NPN_GetStringIdentifiersProcPtr)(const NPUTF8** names, int32_t nameCount,
                                                NPIdentifier* identifiers);
typedef NPIdentifier (*NPN_GetIntIdentifierProcPtr)(int32_t intid);
typedef bool (*NPN_IdentifierIsStringProcPtr)(NPIdentifier identifier);
typedef NPUTF8* (*NPN_UTF8FromIdentifierProcPtr)(NPIdentifier identifier);
typedef int32_t (*NPN_IntFromIdentifierProcPtr)(NPIdentifier identifier);
typedef NPObject* (*NPN_CreateObjectProcPtr)(NPP npp, NPClass* aClass);
typedef NPObject* (*NPN_RetainObjectProcPtr)(NPObject* obj);
typedef void (*NPN_ReleaseObjectProcPtr)(NPObject* obj);
typedef bool (*NPN_InvokeProcPtr)(NPP npp, NPObject* obj, NPIdentifier methodName, const NPVariant* args,
                                  uint32_t argCount, NPVariant* result);
typedef bool (*NPN_InvokeDefaultProcPtr)(NPP npp, NPObject* obj, const NPVariant* args, uint32_t argCount,
                                         NPVariant* result);
typedef bool (*NPN_EvaluateProcPtr)(NPP npp, NPObject* obj, NPString* script, NPVariant* result);
typedef bool (*NPN_GetPropertyProcPtr)(NPP npp, NPObject* obj, NPIdentifier propertyName,
                                       NPVariant* result);
typedef bool (*NPN_SetPropertyProcPtr)(NPP npp, NPObject* obj, NPIdentifier propertyName,
                                       const NPVariant* value);
typedef bool (*NPN_RemovePropertyProcPtr)(NPP npp, NPObject* obj, NPIdentifier propertyName);
typedef bool (*NPN_HasPropertyProcPtr)(NPP npp, NPObject* obj, NPIdentifier propertyName);
typedef bool (*NPN_HasMethodProcPtr)(NPP npp, NPObject* obj, NPIdentifier propertyName);
typedef void (*NPN_ReleaseVariantValueProcPtr)(NPVariant* variant);
typedef void (*NPN_SetExceptionProcPtr)(NPObject* obj, const NPUTF8* message);
typedef void (*NPN_PushPopupsEnabledStateProcPtr)(NPP npp, NPBool enabled);
typedef void (*NPN_PopPopupsEnabledStateProcPtr)(NPP npp);
typedef bool (*NPN_EnumerateProcPtr)(NPP npp, NPObject* obj, NPIdentifier** identifier, uint32_t* count);
typedef void (*NPN_PluginThreadAsyncCallProcPtr)(NPP instance, void (*func)(void*), void* userData);
typedef bool (*NPN_ConstructProcPtr)(NPP npp, NPObject* obj, const NPVariant* args, uint32_t argCount,
                                     NPVariant* result);
typedef NPError (*NPN_GetValueForURLPtr)(NPP npp, NPNURLVariable variable, const char* url, char** value,
                                         uint32_t* len);
typedef NPError (*NPN_SetValueForURLPtr)(NPP npp, NPNURLVariable variable, const char* url,
                                         const char* value, uint32_t len);
typedef NPError (*NPN_GetAuthenticationInfoPtr)(NPP npp, const char* protocol, const char* host,
                                                int32_t port, const char* scheme, const char* realm,
                                                char** username, uint32_t* ulen, char** password,
                                                uint32_t* plen);
typedef uint32_t (*NPN_ScheduleTimerPtr)(NPP instance, uint32_t interval, NPBool repeat,
                                         void (*timerFunc)(NPP npp, uint32_t timerID));
typedef void (*NPN_UnscheduleTimerPtr)(NPP instance, uint32_t timerID);
typedef NPError (*NPN_PopUpContextMenuPtr)(NPP instance, NPMenu* menu);
typedef NPBool (*NPN_ConvertPointPtr)(NPP instance, double sourceX, double sourceY,
                                      NPCoordinateSpace sourceSpace, double* destX, double* destY,
                                      NPCoordinateSpace destSpace);
typedef NPBool (*NPN_HandleEventPtr)(NPP instance, void* event, NPBool handled);
typedef NPBool (*NPN_UnfocusInstancePtr)(NPP instance, NPFocusDirection direction);
typedef void (*NPN_URLRedirectResponsePtr)(NPP instance, void* notifyData, NPBool allow);

// The browser's table: size and version, then 55 functions in this order;
// 224 bytes in the 32-bit build.
typedef struct _NPNetscapeFuncs {
    uint16_t size;
    uint16_t version;
    NPN_GetURLProcPtr geturl;
    NPN_PostURLProcPtr posturl;
    NPN_RequestReadProcPtr requestread;
    NPN_NewStreamProcPtr newstream;
    NPN_WriteProcPtr write;
    NPN_DestroyStreamProcPtr destroystream;
    NPN_StatusProcPtr status;
    NPN_UserAgentProcPtr uagent;
    NPN_MemAllocProcPtr memalloc;
    NPN_MemFreeProcPtr memfree;
    NPN_MemFlushProcPtr memflush;
    NPN_ReloadPluginsProcPtr reloadplugins;
    NPN_GetJavaEnvProcPtr getJavaEnv;
    NPN_GetJavaPeerProcPtr getJavaPeer;
    NPN_GetURLNotifyProcPtr geturlnotify;
    NPN_PostURLNotifyProcPtr posturlnotify;
    NPN_GetValueProcPtr getvalue;
    NPN_SetValueProcPtr setvalue;
    NPN_InvalidateRectProcPtr invalidaterect;
    NPN_InvalidateRegionProcPtr invalidateregion;
    NPN_ForceRedrawProcPtr forceredraw;
    NPN_GetStringIdentifierProcPtr getstringidentifier;
    NPN_GetStringIdentifiersProcPtr getstringidentifiers;
    NPN_GetIntIdentifierProcPtr getintidentifier;
    NPN_IdentifierIsStringProcPtr identifierisstring;
    NPN_UTF8FromIdentifierProcPtr utf8fromidentifier;
    NPN_IntFromIdentifierProcPtr intfromidentifier;
    NPN_CreateObjectProcPtr createobject;
    NPN_RetainObjectProcPtr retainobject;
    NPN_ReleaseObjectProcPtr releaseobject;
    NPN_InvokeProcPtr invoke;
    NPN_InvokeDefaultProcPtr invokeDefault;
    NPN_EvaluateProcPtr evaluate;
    NPN_GetPropertyProcPtr getproperty;
    NPN_SetPropertyProcPtr setproperty;
    NPN_RemovePropertyProcPtr removeproperty;
    NPN_HasPropertyProcPtr hasproperty;
    NPN_HasMethodProcPtr hasmethod;
    NPN_ReleaseVariantValueProcPtr releasevariantvalue;
    NPN_SetExceptionProcPtr setexception;
    NPN_PushPopupsEnabledStateProcPtr pushpopupsenabledstate;
    NPN_PopPopupsEnabledStateProcPtr poppopupsenabledstate;
    NPN_EnumerateProcPtr enumerate;
    NPN_PluginThreadAsyncCallProcPtr pluginthreadasynccall;
    NPN_ConstructProcPtr construct;
    NPN_GetValueForURLPtr getvalueforurl;
    NPN_SetValueForURLPtr setvalueforurl;
    NPN_GetAuthenticationInfoPtr getauthenticationinfo;
    NPN_ScheduleTimerPtr scheduletimer;
    NPN_UnscheduleTimerPtr unscheduletimer;
    NPN_PopUpContextMenuPtr popupcontextmenu;
    NPN_ConvertPointPtr convertpoint;
    NPN_HandleEventPtr handleevent;
    NPN_UnfocusInstancePtr unfocusinstance;
    NPN_URLRedirectResponsePtr urlredirectresponse;
} NPNetscapeFuncs;

// ---------------------------------------------------------------------------
// Exports of a plug-in library, looked up by name

typedef NPError(NP_EXPORT_CALL* NP_GetEntryPointsFunc)(NPPluginFuncs* pluginFuncs);
typedef NPError(NP_EXPORT_CALL* NP_InitializeFunc)(NPNetscapeFuncs* browserFuncs);
typedef NPError(NP_EXPORT_CALL* NP_ShutdownFunc)(void);
// The two extra exports of the player: no arguments, an NPError result.
typedef NPError(NP_EXPORT_CALL* Flash_EnforceLocalSecurityFunc)(void);
typedef NPError(NP_EXPORT_CALL* Flash_DisableLocalSecurityFunc)(void);

#ifdef __cplusplus
} // extern "C"
#endif

// ---------------------------------------------------------------------------
// Layout checks: the tables and records cross the boundary between two
// separately built modules, so their layout is fixed.

#ifdef __cplusplus
#define NPDEFS_STATIC_ASSERT static_assert
#else
#define NPDEFS_STATIC_ASSERT _Static_assert
#endif

NPDEFS_STATIC_ASSERT(sizeof(NPRect) == 8, "NPRect is four 16-bit fields");
NPDEFS_STATIC_ASSERT(offsetof(NPRect, left) == 2 && offsetof(NPRect, right) == 6, "NPRect field order");
NPDEFS_STATIC_ASSERT(sizeof(NPP_t) == 2 * sizeof(void*), "NPP record");
NPDEFS_STATIC_ASSERT(offsetof(NPPluginFuncs, newp) == sizeof(void*), "NPPluginFuncs header");
NPDEFS_STATIC_ASSERT(sizeof(NPPluginFuncs) == sizeof(void*) * 20, "NPPluginFuncs: header and 19 entries");
NPDEFS_STATIC_ASSERT(offsetof(NPNetscapeFuncs, geturl) == sizeof(void*), "NPNetscapeFuncs header");
NPDEFS_STATIC_ASSERT(sizeof(NPNetscapeFuncs) == sizeof(void*) * 56, "NPNetscapeFuncs: header and 55 entries");
NPDEFS_STATIC_ASSERT(offsetof(NPNetscapeFuncs, evaluate) == sizeof(void*) * 33, "NPN_Evaluate is entry 33");
NPDEFS_STATIC_ASSERT(offsetof(NPNetscapeFuncs, urlredirectresponse) == sizeof(void*) * 55,
                     "NPN_URLRedirectResponse is entry 55");
NPDEFS_STATIC_ASSERT(offsetof(NPPluginFuncs, getvalue) == sizeof(void*) * 13, "NPP_GetValue is entry 13");
NPDEFS_STATIC_ASSERT(sizeof(NPClass) == sizeof(void*) * 13, "NPClass: version and 12 callbacks");
NPDEFS_STATIC_ASSERT(offsetof(NPClass, construct) == sizeof(void*) * 12, "NPClass field order");
NPDEFS_STATIC_ASSERT(sizeof(NPObject) == 2 * sizeof(void*), "NPObject: class pointer and count");
NPDEFS_STATIC_ASSERT(offsetof(NPVariant, value) == 8, "NPVariant value after an 8-byte-aligned type");
NPDEFS_STATIC_ASSERT(sizeof(NPEvent) == 3 * sizeof(void*), "NPEvent: message and two parameters");
NPDEFS_STATIC_ASSERT(sizeof(NPVariantType) == 4 && sizeof(NPWindowType) == 4, "enums are 32-bit");

#if defined(__i386__) || defined(_M_IX86)
NPDEFS_STATIC_ASSERT(sizeof(NPPluginFuncs) == 80, "32-bit NPPluginFuncs is 80 bytes");
NPDEFS_STATIC_ASSERT(sizeof(NPNetscapeFuncs) == 224, "32-bit NPNetscapeFuncs is 224 bytes");
NPDEFS_STATIC_ASSERT(sizeof(NPWindow) == 32, "32-bit NPWindow is 32 bytes");
NPDEFS_STATIC_ASSERT(offsetof(NPWindow, clipRect) == 20 && offsetof(NPWindow, type) == 28,
                     "32-bit NPWindow field offsets");
NPDEFS_STATIC_ASSERT(sizeof(NPStream) == 28, "32-bit NPStream is 28 bytes");
NPDEFS_STATIC_ASSERT(sizeof(NPObject) == 8, "32-bit NPObject is 8 bytes");
NPDEFS_STATIC_ASSERT(sizeof(NPClass) == 52, "32-bit NPClass is 52 bytes");
NPDEFS_STATIC_ASSERT(sizeof(NPVariant) == 16, "32-bit NPVariant is 16 bytes");
NPDEFS_STATIC_ASSERT(sizeof(NPEvent) == 12, "32-bit NPEvent is 12 bytes");
NPDEFS_STATIC_ASSERT(sizeof(NPSavedData) == 8, "32-bit NPSavedData is 8 bytes");
#endif

#if defined(__x86_64__) || defined(_M_X64)
NPDEFS_STATIC_ASSERT(sizeof(NPWindow) == 40, "64-bit NPWindow");
NPDEFS_STATIC_ASSERT(sizeof(NPStream) == 48, "64-bit NPStream");
NPDEFS_STATIC_ASSERT(sizeof(NPVariant) == 24, "64-bit NPVariant");
#endif

#undef NPDEFS_STATIC_ASSERT
