#include "fakeplugin.h"

#include "browserfuncs.h"

#include <cstdio>
#include <cstring>

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
    m_table.asfile = StreamAsFile;
    m_table.urlnotify = UrlNotify;
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
    s_current->mimeType = type;
    s_current->streamEnd = stream->end;
    *streamType = s_current->streamType;
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

int32_t FakePlugin::WriteData(NPP, NPStream*, int32_t offset, int32_t length, void* buffer)
{
    s_current->calls.push_back("NPP_Write");
    s_current->writes.push_back(Write{offset, length});
    std::string& data = s_current->data;
    if (data.size() < size_t(offset) + size_t(length))
        data.resize(size_t(offset) + size_t(length));
    std::memcpy(&data[size_t(offset)], buffer, size_t(length));
    return length;
}

void FakePlugin::StreamAsFile(NPP, NPStream*, const char* fileName)
{
    s_current->calls.push_back("NPP_StreamAsFile");
    s_current->fileHandedOver = fileName != nullptr;
    if (!fileName)
        return;
    s_current->fileName = fileName;
    if (std::FILE* file = std::fopen(fileName, "rb")) {
        char buffer[4096];
        size_t read;
        while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            s_current->fileContent.append(buffer, read);
        std::fclose(file);
    }
}

void FakePlugin::UrlNotify(NPP, const char* url, NPReason reason, void* notifyData)
{
    s_current->calls.push_back("NPP_URLNotify");
    s_current->notified = true;
    s_current->notifyUrl = url;
    s_current->notifyReason = reason;
    s_current->notifyData = notifyData;
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
