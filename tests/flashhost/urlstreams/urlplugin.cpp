#include "urlplugin.h"

#include <cstdio>
#include <cstring>

UrlPlugin* UrlPlugin::s_current = nullptr;

UrlPlugin::UrlPlugin()
{
    s_current = this;
    m_table.newstream = NewStream;
    m_table.writeready = WriteReady;
    m_table.write = WriteData;
    m_table.asfile = StreamAsFile;
    m_table.destroystream = DestroyStream;
    m_table.urlnotify = UrlNotify;
}

UrlPlugin::~UrlPlugin()
{
    s_current = nullptr;
}

NPError UrlPlugin::NewStream(NPP, NPMIMEType type, NPStream* stream, NPBool, uint16_t* streamType)
{
    s_current->calls.push_back("NewStream");
    s_current->mimeType = type;
    s_current->streamEnd = stream->end;
    *streamType = s_current->streamType;
    return s_current->newStreamAnswer;
}

int32_t UrlPlugin::WriteReady(NPP, NPStream*)
{
    s_current->calls.push_back("WriteReady");
    return 0x0FFFFFFF;
}

int32_t UrlPlugin::WriteData(NPP, NPStream*, int32_t offset, int32_t length, void* buffer)
{
    s_current->calls.push_back("Write");
    s_current->writes.push_back(Write{offset, length});
    std::string& data = s_current->data;
    if (data.size() < size_t(offset) + size_t(length))
        data.resize(size_t(offset) + size_t(length));
    std::memcpy(&data[size_t(offset)], buffer, size_t(length));
    return length;
}

void UrlPlugin::StreamAsFile(NPP, NPStream*, const char* fileName)
{
    s_current->calls.push_back("StreamAsFile");
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

NPError UrlPlugin::DestroyStream(NPP, NPStream*, NPReason reason)
{
    s_current->calls.push_back("DestroyStream");
    s_current->destroyReason = reason;
    return NPERR_NO_ERROR;
}

void UrlPlugin::UrlNotify(NPP, const char* url, NPReason reason, void* notifyData)
{
    s_current->calls.push_back("URLNotify");
    s_current->notified = true;
    s_current->notifyUrl = url;
    s_current->notifyReason = reason;
    s_current->notifyData = notifyData;
}
