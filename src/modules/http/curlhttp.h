#pragma once

#include "curlthread.h"
#include "eventdispatcher.h"

#include <memory>
#include <mutex>
#include <string>

// One HTTP downloader of a movie: runs one get at a time on a CurlThread,
// whose events go to the form and caller that created it. A new get stops
// the previous one as Abort does; releasing the object stops a get that
// still runs as Close does (the thread's destructor).
//
// Calls may come from the main thread and the asynchronous-call worker at
// once: each takes the transfer out of its field under the lock before it
// stops or waits for it, so a call arriving meanwhile sees a consistent
// object.
class CurlHttp : public EventDispatcher {
public:
    explicit CurlHttp(const CallInfo& call) : EventDispatcher(call) {}

    // Texts for libcurl are UTF-8. The credentials are used only when the
    // user is not empty.
    void GetFile(const std::string& url, const std::string& user, const std::string& password,
                 const std::wstring& localPath);
    void GetString(const std::string& url, const std::string& user, const std::string& password);
    // Stop the current get, reported as "onError" { } or not at all; nothing
    // when there is none or it has finished.
    void Abort();
    void Close();

private:
    void StartGet(TransferOp op, TransferTarget target);
    std::shared_ptr<CurlThread> TakeTransfer();

    std::mutex m_lock; // guards m_transfer
    std::shared_ptr<CurlThread> m_transfer;
};
