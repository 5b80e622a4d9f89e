#include "fakebrowser.h"

#include "base64.h"

#include <cstdlib>
#include <cstring>

namespace {

FakeBrowser* g_browser = nullptr;

const char* const kIdentifiers[] = {"location", "top", "CallFunction", "GotoFrame", "TGotoLabel",
                                    "GetVariable", "SetVariable", "LoadMovie"};

void* MemAlloc(uint32_t size)
{
    return std::malloc(size);
}

void MemFree(void* block)
{
    std::free(block);
}

NPIdentifier GetStringIdentifier(const NPUTF8* name)
{
    return FakeBrowser::Identifier(name);
}

NPUTF8* UTF8FromIdentifier(NPIdentifier identifier)
{
    if (!identifier)
        return nullptr;
    const char* name = static_cast<const char*>(identifier);
    char* copy = static_cast<char*>(std::malloc(std::strlen(name) + 1));
    std::strcpy(copy, name);
    return copy;
}

NPObject* CreateObject(NPP npp, NPClass* objectClass)
{
    if (!objectClass)
        return nullptr;
    NPObject* object = objectClass->allocate ? objectClass->allocate(npp, objectClass)
                                             : static_cast<NPObject*>(std::malloc(sizeof(NPObject)));
    object->_class = objectClass;
    object->referenceCount = 1;
    return object;
}

NPObject* RetainObject(NPObject* object)
{
    ++object->referenceCount;
    return object;
}

void ReleaseObject(NPObject* object)
{
    if (--object->referenceCount > 0)
        return;
    if (object->_class->deallocate)
        object->_class->deallocate(object);
    else
        std::free(object);
}

void ReleaseVariantValue(NPVariant* variant)
{
    if (variant->type == NPVariantType_String)
        std::free(const_cast<NPUTF8*>(variant->value.stringValue.UTF8Characters));
    else if (variant->type == NPVariantType_Object)
        ReleaseObject(variant->value.objectValue);
    variant->type = NPVariantType_Void;
    variant->value.objectValue = nullptr;
}

void SetString(NPVariant* variant, const std::string& text)
{
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    std::memcpy(copy, text.c_str(), text.size() + 1);
    variant->type = NPVariantType_String;
    variant->value.stringValue.UTF8Characters = copy;
    variant->value.stringValue.UTF8Length = uint32_t(text.size());
}

NPError GetValue(NPP npp, NPNVariable variable, void* value)
{
    static NPClass windowClass = {}; // a bare object: no methods, no properties
    switch (variable) {
    case NPNVnetscapeWindow: *static_cast<void**>(value) = nullptr; return NPERR_NO_ERROR;
    case NPNVWindowNPObject: *static_cast<NPObject**>(value) = CreateObject(npp, &windowClass); return NPERR_NO_ERROR;
    case NPNVSupportsWindowless: *static_cast<NPBool*>(value) = 1; return NPERR_NO_ERROR;
    default: return NPERR_GENERIC_ERROR;
    }
}

NPError SetValue(NPP, NPPVariable, void*)
{
    return NPERR_NO_ERROR;
}

bool GetProperty(NPP, NPObject*, NPIdentifier identifier, NPVariant* result)
{
    if (identifier != FakeBrowser::Identifier("location"))
        return false;
    SetString(result, "file://127.0.0.1/index.htm");
    return true;
}

void InvalidateRect(NPP, NPRect*) {}

} // namespace

FakeBrowser::FakeBrowser() : m_table()
{
    g_browser = this;
    m_table.size = sizeof m_table;
    m_table.version = NP_VERSION_MINOR;
    m_table.memalloc = MemAlloc;
    m_table.memfree = MemFree;
    m_table.geturlnotify = GetURLNotify;
    m_table.getvalue = GetValue;
    m_table.setvalue = SetValue;
    m_table.invalidaterect = InvalidateRect;
    m_table.getstringidentifier = GetStringIdentifier;
    m_table.utf8fromidentifier = UTF8FromIdentifier;
    m_table.createobject = CreateObject;
    m_table.retainobject = RetainObject;
    m_table.releaseobject = ReleaseObject;
    m_table.evaluate = Evaluate;
    m_table.getproperty = GetProperty;
    m_table.releasevariantvalue = ReleaseVariantValue;
}

FakeBrowser::~FakeBrowser()
{
    g_browser = nullptr;
}

NPIdentifier FakeBrowser::Identifier(const char* name)
{
    for (const char* known : kIdentifiers)
        if (name && std::strcmp(known, name) == 0)
            return const_cast<char*>(known);
    return nullptr;
}

// The host's reading of a call text: the four fields between
// "TevOnCommand(" and the closing sequence quote, ")", ")", " ", ";".
std::string FakeBrowser::Answer(const std::string& script)
{
    const std::string open = "TevOnCommand(";
    size_t start = script.find(open);
    size_t end = script.find("\")) ;");
    if (start == std::string::npos || end == std::string::npos)
        return "<string></string>";
    std::string fields = script.substr(start + open.size(), end - start - open.size());
    size_t first = fields.find(','), second = fields.find(',', first + 1), third = fields.find(',', second + 1);
    std::string async = fields.substr(0, first);
    std::string callerId = fields.substr(second + 1, third - second - 1);
    std::string command;
    standin::Base64Decode(fields.substr(third + 2), command);
    std::string reply;
    if (command.find("nxa.init") != std::string::npos)
        reply = "\"0\"";
    else if (async == "true") {
        m_pendingEvents.push_back("<invoke name=\"TevOnAsyncEvent\" returntype=\"xml\"><arguments><string>onDone</string><string>" +
                                  callerId + "</string><string>" + standin::Base64Encode("{\"echo\":" + command + "}") +
                                  "</string></arguments></invoke>");
        return "<string></string>";
    } else
        reply = command;
    return "<string>" + standin::Base64Encode(reply) + "</string>";
}

bool FakeBrowser::Evaluate(NPP, NPObject*, NPString* script, NPVariant* result)
{
    std::string text(script->UTF8Characters, script->UTF8Length);
    g_browser->m_evaluations.push_back(text);
    SetString(result, g_browser->Answer(text));
    return true;
}

NPError FakeBrowser::GetURLNotify(NPP, const char* url, const char*, void*)
{
    g_browser->m_requestedUrls.push_back(url);
    return NPERR_NO_ERROR;
}
