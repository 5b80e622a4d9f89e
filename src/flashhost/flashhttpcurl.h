#pragma once

#include "flashhttp.h"
#include "streambacklog.h"

#include <wx/timer.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class PollThread;

// A URL request served with libcurl: the transfer runs on a PollThread of its
// own and gathers what it receives in a backlog; on the main thread the data
// becomes an NPAPI stream into the requesting instance (NPP_NewStream,
// NPP_WriteReady, NPP_Write, NPP_StreamAsFile, NPP_DestroyStream), and the
// end of the transfer its NPP_URLNotify. The plug-in gets no more per write
// than NPP_WriteReady allows; while it takes nothing the data waits, and once
// the backlog is full the transfer pauses. Lives on the main thread; serves
// one request.
class FlashHttpCurl : public FlashHttp {
public:
    // Largest piece handed to one NPP_Write.
    static constexpr size_t kMaxWrite = 32768;
    // Bytes received and not yet written to the plug-in, at which the
    // transfer pauses.
    static constexpr size_t kBacklogLimit = 4 * 1024 * 1024;
    // Bytes gathered before the main thread is woken while data keeps coming.
    // Each wake-up is a posted message, costly on the transfer thread under
    // Wine; a quarter of the limit keeps them few, while the block being
    // written plus the next one gathering stay below the limit. A transfer
    // that waits for the network wakes the reader at once anyway.
    static constexpr size_t kWakeBytes = 1024 * 1024;
    // How soon a plug-in that took nothing is asked again.
    static constexpr int kRetryMs = 10;

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
    // Bytes received and not yet handed to the plug-in.
    size_t BackloggedBytes() const { return m_backlog.HeldBytes(); }

private:
    NPError Start(NPP npp, const char* url, const char* target, uint32_t length, const char* buffer, bool file,
                  bool notify, void* notifyData);
    void OnDataEvent(wxThreadEvent& event);
    void OnDone(wxThreadEvent& event);
    void OnFailed(wxThreadEvent& event);
    void OnRetry(wxTimerEvent& event);
    void EndTransfer(NPReason reason);
    void Deliver();
    bool NextBlock();
    bool WriteBlock();
    void OpenStream();
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
    // Closed when the request wants no more data; the thread then stops.
    StreamBacklog m_backlog;
    // The block taken from the backlog, and how much of it is written.
    std::vector<char> m_block;
    size_t m_blockWritten = 0;
    wxTimer m_retry;
    bool m_delivering = false;
    bool m_transferEnded = false;
    NPReason m_endReason = NPRES_DONE;
    std::unique_ptr<PollThread> m_thread;
    bool m_closing = false;
    bool m_finished = false;
    uint32_t m_delivered = 0;
};
