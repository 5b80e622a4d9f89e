#include "fakeplugin.h"

#include "browserfuncs.h"

FakePlugin* FakePlugin::s_current = nullptr;

FakePlugin::FakePlugin()
{
    s_current = this;
    m_table.newp = New;
    m_table.destroy = Destroy;
    m_table.setwindow = SetWindow;
    m_table.newstream = NewStream;
    m_table.destroystream = DestroyStream;
    m_table.writeready = WriteReady;
    m_table.write = WriteData;
    m_table.event = HandleEvent;
    m_table.getvalue = GetValue;
    m_class.structVersion = NP_CLASS_STRUCT_VERSION;
    m_class.hasMethod = HasMethod;
    m_class.invoke = Invoke;
    m_object._class = &m_class;
}

FakePlugin::~FakePlugin()
{
    s_current = nullptr;
}

NPError FakePlugin::New(NPMIMEType type, NPP npp, uint16_t mode, int16_t argc, char* argn[], char* argv[],
                        NPSavedData*)
{
    s_current->calls.push_back("NPP_New " + std::string(type) + " mode=" + std::to_string(mode));
    for (int16_t index = 0; index < argc; ++index)
        s_current->parameters.emplace_back(argn[index], argv[index]);
    if (s_current->newAnswer == NPERR_NO_ERROR)
        npp->pdata = &s_current->m_instanceData;
    return s_current->newAnswer;
}

NPError FakePlugin::Destroy(NPP npp, NPSavedData**)
{
    s_current->calls.push_back("NPP_Destroy");
    npp->pdata = nullptr;
    return NPERR_NO_ERROR;
}

NPError FakePlugin::SetWindow(NPP, NPWindow* window)
{
    s_current->calls.push_back("NPP_SetWindow");
    s_current->windows.push_back(*window);
    return NPERR_NO_ERROR;
}

NPError FakePlugin::NewStream(NPP, NPMIMEType type, NPStream* stream, NPBool seekable, uint16_t* streamType)
{
    s_current->calls.push_back("NPP_NewStream " + std::string(type) + " seekable=" + std::to_string(seekable) +
                               " stype=" + std::to_string(*streamType));
    s_current->streamUrl = stream->url;
    s_current->streamEnd = stream->end;
    return s_current->newStreamAnswer;
}

NPError FakePlugin::DestroyStream(NPP, NPStream*, NPReason reason)
{
    s_current->calls.push_back("NPP_DestroyStream");
    s_current->destroyReasons.push_back(reason);
    return NPERR_NO_ERROR;
}

int32_t FakePlugin::WriteReady(NPP, NPStream*)
{
    s_current->calls.push_back("NPP_WriteReady");
    return s_current->writeReadyAnswer;
}

int32_t FakePlugin::WriteData(NPP, NPStream*, int32_t offset, int32_t length, void*)
{
    s_current->calls.push_back("NPP_Write");
    s_current->writes.push_back(Write{offset, length});
    return length;
}

int16_t FakePlugin::HandleEvent(NPP, void* event)
{
    s_current->calls.push_back("NPP_HandleEvent");
    s_current->events.push_back(*static_cast<NPEvent*>(event));
    return s_current->eventAnswer;
}

NPError FakePlugin::GetValue(NPP, NPPVariable variable, void* value)
{
    if (variable != NPPVpluginScriptableNPObject)
        return NPERR_GENERIC_ERROR;
    ++s_current->m_object.referenceCount;
    *static_cast<NPObject**>(value) = &s_current->m_object;
    return NPERR_NO_ERROR;
}

bool FakePlugin::HasMethod(NPObject*, NPIdentifier name)
{
    return name != nullptr;
}

bool FakePlugin::Invoke(NPObject*, NPIdentifier name, const NPVariant* args, uint32_t count, NPVariant* result)
{
    Invocation invocation;
    invocation.method = static_cast<const char*>(name);
    invocation.thread = std::this_thread::get_id();
    for (uint32_t index = 0; index < count; ++index) {
        if (args[index].type == NPVariantType_Int32)
            invocation.arguments.push_back("#" + std::to_string(args[index].value.intValue));
        else
            invocation.arguments.push_back(StringFromVariant(args[index]).utf8_string());
    }
    s_current->invocations.push_back(invocation);
    if (s_current->resultType == NPVariantType_String) {
        NPVariantFromString(wxString::FromUTF8(s_current->resultText), *result);
    } else {
        *result = NPVariant();
        result->type = s_current->resultType;
        result->value.intValue = 42;
    }
    return s_current->invokeSucceeds;
}
