#include "playerobject.h"

#include "browser.h"
#include "playerinstance.h"

#include <string>

namespace player {

namespace {

struct PlayerObject : NPObject {
    PlayerInstance* instance;
};

const char* const kMethodNames[] = {"CallFunction", "GetVariable", "SetVariable", "GotoFrame", "TGotoLabel", "LoadMovie"};

// The method name of an identifier: first by the browser's identifiers of the
// six names, then by asking the browser for the identifier's text.
std::string MethodName(NPIdentifier identifier)
{
    const NPNetscapeFuncs& browser = Browser();
    if (!identifier)
        return std::string();
    if (browser.getstringidentifier)
        for (const char* name : kMethodNames)
            if (browser.getstringidentifier(name) == identifier)
                return name;
    if (!browser.utf8fromidentifier)
        return std::string();
    NPUTF8* text = browser.utf8fromidentifier(identifier);
    if (!text)
        return std::string();
    std::string name = text;
    if (browser.memfree)
        browser.memfree(text);
    return name;
}

bool IsMethod(const std::string& name)
{
    for (const char* method : kMethodNames)
        if (name == method)
            return true;
    return false;
}

NPObject* Allocate(NPP, NPClass* objectClass)
{
    PlayerObject* object = new PlayerObject;
    object->_class = objectClass;
    object->referenceCount = 1;
    object->instance = nullptr;
    return object;
}

void Deallocate(NPObject* object)
{
    delete static_cast<PlayerObject*>(object);
}

void Invalidate(NPObject* object)
{
    static_cast<PlayerObject*>(object)->instance = nullptr;
}

bool HasMethod(NPObject* object, NPIdentifier name)
{
    return object && IsMethod(MethodName(name));
}

bool Invoke(NPObject* object, NPIdentifier name, const NPVariant* args, uint32_t count, NPVariant* result)
{
    PlayerInstance* instance = object ? static_cast<PlayerObject*>(object)->instance : nullptr;
    std::string method = MethodName(name);
    if (!instance || !IsMethod(method) || (count > 0 && !args))
        return false;
    return instance->Invoke(method, args, count, result);
}

bool InvokeDefault(NPObject*, const NPVariant*, uint32_t, NPVariant*)
{
    return false;
}

bool HasProperty(NPObject*, NPIdentifier)
{
    return false;
}

bool GetProperty(NPObject*, NPIdentifier, NPVariant*)
{
    return false;
}

bool SetProperty(NPObject*, NPIdentifier, const NPVariant*)
{
    return false;
}

bool RemoveProperty(NPObject*, NPIdentifier)
{
    return false;
}

bool Enumerate(NPObject*, NPIdentifier**, uint32_t*)
{
    return false;
}

bool Construct(NPObject*, const NPVariant*, uint32_t, NPVariant*)
{
    return false;
}

NPClass g_playerClass = {
    NP_CLASS_STRUCT_VERSION, Allocate, Deallocate,  Invalidate,     HasMethod, Invoke,    InvokeDefault,
    HasProperty,             GetProperty, SetProperty, RemoveProperty, Enumerate, Construct,
};

} // namespace

NPObject* CreatePlayerObject(NPP npp, PlayerInstance* instance)
{
    const NPNetscapeFuncs& browser = Browser();
    NPObject* object = browser.createobject ? browser.createobject(npp, &g_playerClass) : nullptr;
    if (object && object->_class == &g_playerClass)
        static_cast<PlayerObject*>(object)->instance = instance;
    return object;
}

void DetachPlayerObject(NPObject* object)
{
    if (object && object->_class == &g_playerClass)
        static_cast<PlayerObject*>(object)->instance = nullptr;
}

} // namespace player
