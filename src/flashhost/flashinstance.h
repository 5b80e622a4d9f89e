#pragma once

#include "flashstream.h"
#include "instanceparams.h"
#include "npdefs.h"

#include <wx/string.h>

#include <cstdint>
#include <functional>

// One instance of the plug-in: created with the form's embed parameters, fed
// movies from memory, and the road of every call from the host into the movie
// through the plug-in's scriptable object. Every call into the plug-in is
// made on the main thread: a call from another thread waits there for it.
// Subclasses tie the instance to a window.
class FlashInstance {
public:
    explicit FlashInstance(const NPPluginFuncs& pluginFuncs);
    FlashInstance(const FlashInstance&) = delete;
    FlashInstance& operator=(const FlashInstance&) = delete;
    // A subclass destroys a plug-in instance its owner left (Destroy) in its
    // own destructor, while the plug-in can still ask for the window.
    virtual ~FlashInstance();

    // The native window the instance draws on.
    virtual void* GetNativeWindow() const = 0;
    virtual void InvalidateRect(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual void Invalidate() = 0;

    // The instance that an NPP of this host belongs to; null for none.
    static FlashInstance* FromNPP(NPP npp);

    // Creates the plug-in instance and fetches its scriptable object; true
    // when both succeeded.
    bool New(const InstanceParams& params, void* nativeWindow);
    // Releases the scriptable object and destroys the plug-in instance. True
    // when there was nothing to destroy.
    bool Destroy();
    bool HasInstance() const { return m_instance.pdata != nullptr; }

    // Streams a movie held in memory into the instance and repaints the window.
    bool LoadSwfFromRam(const uint8_t* pData, int32_t dataLength);
    // The same for a movie of `length` bytes that the reader produces piece
    // by piece as the stream writes it.
    bool LoadSwf(int32_t length, const FlashStream::Reader& read);

    // Calls on the scriptable object. Out texts stay as they were on failure;
    // a result that is not a string reads as the empty text.
    bool CallFunction(const wxString& request, wxString& reply);
    bool GetVariable(const wxString& name, wxString& value);
    bool SetVariable(const wxString& name, const wxString& value);
    bool GotoFrame(int32_t frame);
    bool LoadMovie(int32_t layer, const wxString& url);
    bool TGotoLabel(const wxString& target, const wxString& label);

    // Passes a window message to the plug-in; true when it left it unhandled.
    bool SendEvent(NPEvent* pEvent);
    // Hands the plug-in a window record; true when it accepted it.
    bool SetWindow(const NPWindow* window);

    // Set by the plug-in: it wants a window of its own, it draws with transparency.
    bool m_windowed = false;
    bool m_transparent = false;
    // The form the instance plays in; -1 until the form sets it.
    int32_t m_formId = -1;

protected:
    NPP_t m_instance;
    NPObject* m_scriptable = nullptr;
    NPPluginFuncs m_pluginFuncs;
    NPWindow m_window;

private:
    bool InvokeText(const char* method, NPVariant* args, uint32_t count, wxString* text);
    bool Invoke(const char* method, NPVariant* args, uint32_t count, NPVariant* result);
    bool OnMainThread(const std::function<bool()>& work);
};
