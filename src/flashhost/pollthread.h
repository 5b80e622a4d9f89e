#pragma once

#include "flashhttppost.h"

#include <curl/curl.h>
#include <wx/thread.h>

#include <atomic>
#include <cstdint>
#include <string>

class StreamBacklog;
class wxEvtHandler;

// The thread of one URL request: runs one libcurl transfer, appends what it
// receives to the request's backlog and posts how it ended to the request's
// event handler. It touches nothing else of the request. Joinable: the
// request waits for it.
class PollThread : public wxThread {
public:
    // The POST buffer (null for a GET) is copied here, on the caller's thread.
    // A closed backlog is the request's word that it wants nothing more: the
    // transfer then stops at the next chance, still posting how it ended.
    PollThread(wxEvtHandler* owner, StreamBacklog& backlog, const std::string& url, const char* postBuffer,
               uint32_t postLength, bool file);
    ~PollThread() override;

    // Ends the transfer as soon as libcurl next calls back, without any
    // event. The caller closes the backlog too, so a paused transfer goes on.
    void Stop() { m_stop = true; }
    // True once the thread body has returned.
    bool HasEnded() const { return m_ended; }

protected:
    ExitCode Entry() override;

private:
    // 0, or the NPAPI error that leaves the transfer without a handle or
    // with one that cannot run.
    int Setup();
    bool ResolveLocalPath();
    bool SetPostData();
    bool SetTransferOptions();
    void Receive(const char* data, size_t size);
    bool ShouldAbort() const;
    static size_t OnWrite(char* data, size_t size, size_t count, void* context);
    static int OnProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_ended{false};
    CURL* m_curl = nullptr;
    wxEvtHandler* m_owner;
    StreamBacklog& m_backlog;
    bool m_described = false;
    std::string m_url;
    curl_slist* m_headers = nullptr;
    bool m_isPost;
    FlashHttpPost m_post;
    bool m_file;
};
