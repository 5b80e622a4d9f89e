#pragma once

#include "npdefs.h"

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// A plug-in table whose functions record what the host asked of them
// (instances, streams, URL notifications, events, scripting) and answer as
// the test sets them up. One object at a time; the functions reach it through
// a static pointer.
class FakePlugin {
public:
    struct Write {
        int32_t offset;
        int32_t length;
    };
    struct Invocation {
        std::string method;
        std::vector<std::string> arguments; // strings as text, int32 as "#n"
        std::thread::id thread;
    };

    FakePlugin();
    ~FakePlugin();
    FakePlugin(const FakePlugin&) = delete;
    FakePlugin& operator=(const FakePlugin&) = delete;

    const NPPluginFuncs& Table() const { return m_table; }

    // Answers.
    NPError newAnswer = NPERR_NO_ERROR;
    NPError newStreamAnswer = NPERR_NO_ERROR;
    uint16_t streamType = NP_NORMAL; // chosen in NPP_NewStream
    int32_t writeReadyAnswer = 0x0FFFFFFF;
    int16_t eventAnswer = 0;
    NPVariantType resultType = NPVariantType_Void; // of each invoke's result
    std::string resultText;                        // for a string result
    bool invokeSucceeds = true;

    // Records.
    std::vector<std::pair<std::string, std::string>> parameters;
    std::vector<Write> writes;
    std::string data; // what the writes delivered, by offset
    // NPP function names in order; NPP_New and NPP_NewStream with details.
    std::vector<std::string> calls;
    std::vector<NPReason> destroyReasons;
    std::vector<NPWindow> windows;
    std::vector<NPEvent> events;
    std::vector<Invocation> invocations;
    std::string streamUrl;
    std::string mimeType;
    uint32_t streamEnd = 0;
    bool fileHandedOver = false; // NPP_StreamAsFile came with a name
    std::string fileName;
    std::string fileContent; // read while NPP_StreamAsFile ran
    bool notified = false;
    std::string notifyUrl;
    NPReason notifyReason = -1;
    void* notifyData = nullptr;
    NPReason LastDestroyReason() const { return destroyReasons.empty() ? NPReason(-1) : destroyReasons.back(); }
    uint32_t scriptableReferences() const { return m_object.referenceCount; }

private:
    static FakePlugin* s_current;
    static NPError New(NPMIMEType, NPP, uint16_t, int16_t, char*[], char*[], NPSavedData*);
    static NPError Destroy(NPP, NPSavedData**);
    static NPError SetWindow(NPP, NPWindow*);
    static NPError NewStream(NPP, NPMIMEType, NPStream*, NPBool, uint16_t*);
    static NPError DestroyStream(NPP, NPStream*, NPReason);
    static int32_t WriteReady(NPP, NPStream*);
    static int32_t WriteData(NPP, NPStream*, int32_t, int32_t, void*);
    static void StreamAsFile(NPP, NPStream*, const char*);
    static void UrlNotify(NPP, const char*, NPReason, void*);
    static int16_t HandleEvent(NPP, void*);
    static NPError GetValue(NPP, NPPVariable, void*);
    static bool HasMethod(NPObject*, NPIdentifier);
    static bool Invoke(NPObject*, NPIdentifier, const NPVariant*, uint32_t, NPVariant*);

    NPPluginFuncs m_table = {};
    NPClass m_class = {};
    NPObject m_object = {};
    int m_instanceData = 0;
};
