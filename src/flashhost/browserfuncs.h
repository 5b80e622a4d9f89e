#pragma once

#include "npdefs.h"

#include <wx/string.h>

#include <string>

// The browser side of the plug-in interface: the functions the host hands to
// the plug-in in its NPNetscapeFuncs table, and the class of the window
// object the plug-in asks for.

// Fills the table: size, version 27 and all 55 functions.
void FillBrowserFuncs(NPNetscapeFuncs& funcs);

// The window object's class: no methods, no properties of its own.
extern NPClass HostNPClass;

// A string variant holding a UTF-8 copy of the text in a block of the C
// allocator, terminated by a zero that the length leaves out. On allocation
// failure the variant stays void and the result is false.
bool NPVariantFromString(const wxString& text, NPVariant& variant);
bool NPVariantFromUtf8(const std::string& utf8, NPVariant& variant);
// The text of a string variant; empty for every other type.
wxString StringFromVariant(const NPVariant& variant);

NPError TEV_NPN_GetURL(NPP npp, const char* url, const char* target);
NPError TEV_NPN_PostURL(NPP npp, const char* url, const char* target, uint32_t len, const char* buf, NPBool file);
NPError TEV_NPN_RequestRead(NPStream* stream, NPByteRange* rangeList);
NPError TEV_NPN_NewStream(NPP npp, NPMIMEType type, const char* target, NPStream** stream);
int32_t TEV_NPN_Write(NPP npp, NPStream* stream, int32_t len, void* buffer);
NPError TEV_NPN_DestroyStream(NPP npp, NPStream* stream, NPReason reason);
void TEV_NPN_Status(NPP npp, const char* message);
const char* TEV_UserAgent(NPP npp);
void* TEV_MemAlloc(uint32_t size);
void TEV_MemFree(void* block);
uint32_t TEV_NPN_MemFlush(uint32_t size);
void TEV_NPN_ReloadPlugins(NPBool reloadPages);
void* TEV_NPN_GetJavaEnv();
void* TEV_NPN_GetJavaPeer(NPP npp);
NPError TEV_NPN_GetURLNotify(NPP npp, const char* url, const char* target, void* notifyData);
NPError TEV_NPN_PostURLNotify(NPP npp, const char* url, const char* target, uint32_t len, const char* buf,
                              NPBool file, void* notifyData);
NPError TEV_NPN_GetValue(NPP npp, NPNVariable variable, void* value);
NPError TEV_NPN_SetValue(NPP npp, NPPVariable variable, void* value);
void TEV_NPN_InvalidateRect(NPP npp, NPRect* rect);
void TEV_NPN_InvalidateRegion(NPP npp, NPRegion region);
void TEV_NPN_ForceRedraw(NPP npp);
NPIdentifier TEV_NPN_GetStringIdentifier(const NPUTF8* name);
void TEV_NPN_GetStringIdentifiers(const NPUTF8** names, int32_t nameCount, NPIdentifier* identifiers);
NPIdentifier TEV_NPN_GetIntIdentifier(int32_t intid);
bool TEV_NPN_IdentifierIsString(NPIdentifier identifier);
NPUTF8* TEV_NPN_UTF8FromIdentifier(NPIdentifier identifier);
int32_t TEV_NPN_IntFromIdentifier(NPIdentifier identifier);
NPObject* TEV_NPN_CreateObject(NPP npp, NPClass* aClass);
NPObject* TEV_NPN_RetainObject(NPObject* obj);
void TEV_NPN_ReleaseObject(NPObject* obj);
bool TEV_NPN_Invoke(NPP npp, NPObject* obj, NPIdentifier methodName, const NPVariant* args, uint32_t argCount,
                    NPVariant* result);
bool TEV_NPN_InvokeDefault(NPP npp, NPObject* obj, const NPVariant* args, uint32_t argCount, NPVariant* result);
bool TEV_NPN_Evaluate(NPP npp, NPObject* obj, NPString* script, NPVariant* result);
bool TEV_NPN_GetProperty(NPP npp, NPObject* obj, NPIdentifier propertyName, NPVariant* result);
bool TEV_NPN_SetProperty(NPP npp, NPObject* obj, NPIdentifier propertyName, const NPVariant* value);
bool TEV_NPN_RemoveProperty(NPP npp, NPObject* obj, NPIdentifier propertyName);
bool TEV_NPN_HasProperty(NPP npp, NPObject* obj, NPIdentifier propertyName);
bool TEV_NPN_HasMethod(NPP npp, NPObject* obj, NPIdentifier methodName);
void TEV_NPN_ReleaseVariantValue(NPVariant* variant);
void TEV_NPN_SetException(NPObject* obj, const NPUTF8* message);
void TEV_NPN_PushPopupsEnabledState(NPP npp, NPBool enabled);
void TEV_NPN_PopPopupsEnabledState(NPP npp);
bool TEV_NPN_Enumerate(NPP npp, NPObject* obj, NPIdentifier** identifiers, uint32_t* count);
void TEV_NPN_PluginThreadAsyncCall(NPP npp, void (*func)(void*), void* userData);
bool TEV_NPN_Construct(NPP npp, NPObject* obj, const NPVariant* args, uint32_t argCount, NPVariant* result);
NPError TEV_NPN_GetValueForURL(NPP npp, NPNURLVariable variable, const char* url, char** value, uint32_t* len);
NPError TEV_NPN_SetValueForURL(NPP npp, NPNURLVariable variable, const char* url, const char* value, uint32_t len);
NPError TEV_NPN_GetAuthenticationInfo(NPP npp, const char* protocol, const char* host, int32_t port,
                                      const char* scheme, const char* realm, char** username, uint32_t* ulen,
                                      char** password, uint32_t* plen);
uint32_t TEV_NPN_ScheduleTimer(NPP npp, uint32_t interval, NPBool repeat, void (*timerFunc)(NPP npp, uint32_t timerID));
void TEV_NPN_UnscheduleTimer(NPP npp, uint32_t timerID);
NPError TEV_NPN_PopUpContextMenu(NPP npp, NPMenu* menu);
NPBool TEV_NPN_ConvertPoint(NPP npp, double sourceX, double sourceY, NPCoordinateSpace sourceSpace, double* destX,
                            double* destY, NPCoordinateSpace destSpace);
NPBool TEV_NPN_HandleEvent(NPP npp, void* event, NPBool handled);
NPBool TEV_NPN_UnfocusInstance(NPP npp, NPFocusDirection direction);
void TEV_NPN_URLRedirectResponse(NPP npp, void* notifyData, NPBool allow);

NPObject* TEV_NPO_Allocate(NPP npp, NPClass* aClass);
void TEV_NPO_Deallocate(NPObject* npobj);
void TEV_NPO_Invalidate(NPObject* npobj);
bool TEV_NPO_HasMethod(NPObject* npobj, NPIdentifier name);
bool TEV_NPO_Invoke(NPObject* npobj, NPIdentifier name, const NPVariant* args, uint32_t argCount, NPVariant* result);
bool TEV_NPO_InvokeDefault(NPObject* npobj, const NPVariant* args, uint32_t argCount, NPVariant* result);
bool TEV_NPO_HasProperty(NPObject* npobj, NPIdentifier name);
bool TEV_NPO_GetProperty(NPObject* npobj, NPIdentifier name, NPVariant* result);
bool TEV_NPO_SetProperty(NPObject* npobj, NPIdentifier name, const NPVariant* value);
bool TEV_NPO_RemoveProperty(NPObject* npobj, NPIdentifier name);
bool TEV_NPO_Enumerate(NPObject* npobj, NPIdentifier** value, uint32_t* count);
bool TEV_NPO_Construct(NPObject* npobj, const NPVariant* args, uint32_t argCount, NPVariant* result);
