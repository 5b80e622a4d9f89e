#pragma once

#include "flashhttp.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>

class PollThread;
struct HttpChunk;

// A URL request served with libcurl: the transfer runs on a PollThread of its
// own; on the main thread the received data becomes an NPAPI stream into the
// requesting instance (NPP_NewStream, NPP_WriteReady, NPP_Write,
// NPP_StreamAsFile, NPP_DestroyStream), and the end of the transfer its
// NPP_URLNotify. Lives on the main thread; serves one request.
class FlashHttpCurl : public FlashHttp {
public:
    // Largest piece handed to one NPP_Write.
    static constexpr size_t kMaxWrite = 32768;

    // Calls into the plug-in go through a copy of its table.
    FlashHttpCurl(int32_t formId, const NPPluginFuncs& pluginFuncs);
    // Stops the transfer and waits for its thread; the plug-in hears nothing
    // more of the request.
    ~FlashHttpCurl() override;

    NPError GetURL(NPP npp, const char* url, const char* target) override;
    NPError PostURL(NPP npp, const char* url, const char* target, uint32_t length, const char* buffer,
                    NPBool file) override;
    NPError GetURLNotify(NPP npp, const char* url, const char* target, void* notifyData) override;
    NPError PostURLNotify(NPP npp, const char* url, const char* target, uint32_t length, const char* buffer,
                          NPBool file, void* notifyData) override;

    // For an instance that goes away: stops the transfer without waiting, and
    // the plug-in hears nothing more of the request.
    void Close();
    NPP Instance() const { return m_npp; }
    // True when nothing of the request is left to do: it never started, or
    // its thread has ended and the plug-in was notified or the request closed.
    bool HasEnded() const;

private:
    NPError Start(NPP npp, const char* url, const char* target, uint32_t length, const char* buffer, bool file,
                  bool notify, void* notifyData);
    void OnDataEvent(wxThreadEvent& event);
    void OnDone(wxThreadEvent& event);
    void OnFailed(wxThreadEvent& event);
    void OnData(const HttpChunk& chunk);
    void OpenStream(const HttpChunk& chunk);
    void WriteStream(uint32_t offset, size_t length, const char* piece);
    void EndStream(NPReason reason);
    void Finish(NPReason reason);
    void DiscardTempFile();

    int32_t m_formId;
    NPPluginFuncs m_pluginFuncs;
    bool m_asFile = false;
    bool m_deliver = false;
    std::FILE* m_tempFile = nullptr;
    std::string m_tempName;
    bool m_tempFileFailed = false;
    std::string m_url;
    std::string m_target;
    std::string m_mimeType;
    bool m_notify = false;
    void* m_notifyData = nullptr;
    NPP m_npp = nullptr;
    bool m_firstChunk = true;
    bool m_streamOpen = false;
    bool m_refused = false;
    NPStream m_stream;
    std::unique_ptr<PollThread> m_thread;
    bool m_closing = false;
    bool m_finished = false;
    // Read by the thread: the request wants no more data.
    std::atomic<bool> m_abandoned{false};
    uint32_t m_delivered = 0;
};
