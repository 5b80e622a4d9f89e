#pragma once

#include "npdefs.h"
#include "scripthost.h"
#include "scriptrunner.h"
#include "standinmovie.h"

#include <windows.h>

#include <list>
#include <map>
#include <memory>
#include <string>

namespace player {

// One plug-in instance: receives its movie, plays the movie's script, answers
// the browser's calls and the scripting calls on its object, and paints its
// state as text. Every call it receives is written to the transcript.
class PlayerInstance : public standin::ScriptHost {
public:
    PlayerInstance(NPP npp, int number);
    ~PlayerInstance() override;

    int Number() const { return m_number; }
    void Record(const std::string& text) override;

    // NPP_New's work after the instance exists: parameters, windowless mode,
    // the questions a player asks its browser.
    void Start(int16_t argc, char* argn[], char* argv[]);
    // NPP_Destroy: later scripting calls on the object are refused.
    void Stop();

    NPError SetWindow(const NPWindow* window);
    NPError NewStream(NPMIMEType type, NPStream* stream, NPBool seekable, uint16_t* streamType);
    int32_t WriteReady(NPStream* stream);
    int32_t Write(NPStream* stream, int32_t offset, int32_t length, const void* buffer);
    NPError DestroyStream(NPStream* stream, NPReason reason);
    void StreamAsFile(NPStream* stream, const char* fileName);
    void UrlNotify(const char* url, NPReason reason, void* notifyData);
    int16_t HandleEvent(const NPEvent* event);
    NPError GetValue(NPPVariable variable, void* value);
    NPError SetValue(NPNVariable variable, void* value);

    // A method of the scriptable object ("CallFunction", "GetVariable",
    // "SetVariable", "GotoFrame", "TGotoLabel", "LoadMovie").
    bool Invoke(const std::string& method, const NPVariant* args, uint32_t count, NPVariant* result);

    // Timer tick on the main thread: runs the script.
    void Tick(uint32_t nowMs);

    // standin::ScriptHost
    bool Evaluate(const std::string& script, std::string& result) override;
    int RequestUrl(const std::string& url, const std::string& target, const std::string* postBody) override;
    int LoadMovie(const std::string& url) override;

private:
    // One URL request this instance started; its address is the notifyData.
    struct Request {
        std::string url;
        std::string postBuffer; // must outlive the call: the browser reads it later
        bool isMovie = false;
        int level = 0;
        std::string data;
        size_t byteCount = 0;
    };
    // One stream the browser opened into this instance.
    struct Stream {
        Request* request = nullptr; // null for the movie stream itself
        std::string data;
        size_t byteCount = 0;
    };

    void AskBrowser();
    // Takes the movie file's bytes: the script may take them over.
    void PlayMovie(std::string&& bytes, const std::string& source);
    bool InvokeCallFunction(const NPVariant* args, uint32_t count, NPVariant* result);
    bool InvokeGetVariable(const NPVariant* args, uint32_t count, NPVariant* result);
    bool InvokeSetVariable(const NPVariant* args, uint32_t count);
    bool InvokeGotoFrame(const NPVariant* args, uint32_t count);
    bool InvokeTGotoLabel(const NPVariant* args, uint32_t count);
    bool InvokeLoadMovie(const NPVariant* args, uint32_t count);
    Request* FindRequest(void* notifyData);
    Stream* FindStream(NPStream* stream);
    void Paint(HDC dc, const RECT& area);
    void RecordFirstPaint();
    void Repaint();
    void Subclass(HWND window);
    void Unsubclass();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    NPP m_npp;
    int m_number;
    bool m_stopped = false;
    bool m_transparent = false;
    COLORREF m_background = RGB(255, 255, 255);
    NPWindow m_window = {};
    NPObject* m_object = nullptr;        // the scriptable object, one reference ours
    NPObject* m_windowObject = nullptr;  // the browser's window object, one reference ours
    HWND m_subclassed = nullptr;
    WNDPROC m_previousProc = nullptr;
    CRITICAL_SECTION m_lock;
    standin::ScriptRunner m_runner;
    standin::StandinMovie m_movie;
    bool m_hasMovie = false;
    std::string m_lastRecord;
    int m_recordCount = 0;
    int m_paintedRecordCount = -1;
    bool m_painted = false;
    int m_frame = 0;
    std::string m_label;
    std::list<Request> m_requests;
    std::map<NPStream*, Stream> m_streams;
};

} // namespace player
