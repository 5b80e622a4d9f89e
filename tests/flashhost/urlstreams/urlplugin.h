#pragma once

#include "npdefs.h"

#include <cstdint>
#include <string>
#include <vector>

// A plug-in table for URL streams: records every stream call the host makes
// and answers as the test sets it up. One object at a time; the functions
// reach it through a static pointer.
class UrlPlugin {
public:
    struct Write {
        int32_t offset;
        int32_t length;
    };

    UrlPlugin();
    ~UrlPlugin();
    UrlPlugin(const UrlPlugin&) = delete;
    UrlPlugin& operator=(const UrlPlugin&) = delete;

    const NPPluginFuncs& Table() const { return m_table; }

    // Answers.
    uint16_t streamType = NP_NORMAL;
    NPError newStreamAnswer = NPERR_NO_ERROR;

    // Records.
    std::vector<std::string> calls; // "NewStream", "WriteReady", "Write", ...
    std::vector<Write> writes;
    std::string data;               // what the writes delivered, by offset
    std::string mimeType;
    uint32_t streamEnd = 0;
    bool fileHandedOver = false;    // NPP_StreamAsFile came with a name
    std::string fileName;
    std::string fileContent;        // read while NPP_StreamAsFile ran
    NPReason destroyReason = -1;
    bool notified = false;
    std::string notifyUrl;
    NPReason notifyReason = -1;
    void* notifyData = nullptr;

private:
    static UrlPlugin* s_current;
    static NPError NewStream(NPP, NPMIMEType, NPStream*, NPBool, uint16_t*);
    static int32_t WriteReady(NPP, NPStream*);
    static int32_t WriteData(NPP, NPStream*, int32_t, int32_t, void*);
    static void StreamAsFile(NPP, NPStream*, const char*);
    static NPError DestroyStream(NPP, NPStream*, NPReason);
    static void UrlNotify(NPP, const char*, NPReason, void*);

    NPPluginFuncs m_table = {};
};
