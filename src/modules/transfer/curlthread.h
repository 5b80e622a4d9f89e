#pragma once

#include "eventdispatcher.h"
#include "transfercontext.h"

#include <curl/curl.h>
#include <wx/thread.h>

#include <atomic>
#include <cstdint>
#include <string>

enum class TransferOp : int32_t {
    FtpUpload = 0,
    FtpDownload = 1,
    HttpGetFile = 2,
    HttpGetText = 3,
};

// Where one transfer goes. Texts for libcurl are UTF-8.
struct TransferTarget {
    std::string url;         // FTP: the connection's URL; HTTP: the URL to get
    std::string credentials; // "user:password", or empty for none
    std::string proxy;       // FTP only; empty for none
    std::wstring localPath;  // the file read or written; empty for a text get
    std::string remotePath;  // FTP only: joined to the URL
};

// One FTP upload or download, or one HTTP get into a file or a text, on a
// thread of its own with its own libcurl handle. It reports only through
// events to its address:
//   FTP:  "onFileSent" / "onFileReceived" { }, "onAborted" { },
//         "onError" { "error": "Transferring." }
//   HTTP: "onProgress" { "bytesTransferred", "bytesTotal" } (decimal texts)
//         per block, then "onBinaryTransferComplete" { "filename" } or
//         "onTransferComplete" { "data" }, or "onError" { }.
// The owner stops it with Abort (reported: "onAborted" for FTP, "onError"
// for HTTP) or Close (no report). Both end even a stalled transfer within
// about a second, since libcurl's progress callback tests the flags too.
// Joinable; released only after it was stopped or waited for (the
// destructor closes it).
class CurlThread : public wxThread {
public:
    CurlThread(TransferOp op, const EventDispatcher& address, TransferTarget target);
    ~CurlThread() override;
    CurlThread(const CurlThread&) = delete;
    CurlThread& operator=(const CurlThread&) = delete;

    // Runs the transfer; a thread that cannot start reports a failure.
    void Start();
    // Set the flag and wait for the thread; the main thread keeps
    // dispatching window messages meanwhile. Nothing when it never started.
    void Abort();
    void Close();
    // Bytes moved so far by an FTP transfer.
    int64_t Transferred() const { return m_context.transferred; }

protected:
    ExitCode Entry() override;

private:
    void StopWith(std::atomic<bool>& flag);
    bool FtpTransfer(bool upload);
    bool SetFtpOptions(CURL* curl, bool upload);
    bool HttpGet(bool toFile);
    int64_t QueryContentLength();
    bool PerformHttpGet(TransferContext& context);
    bool SetHttpOptions(CURL* curl, TransferContext& context);
    void ReportFtp(bool upload, bool succeeded) const;
    void ReportHttp(bool toFile, bool succeeded, const std::string& body) const;

    static size_t OnRead(char* data, size_t size, size_t count, void* context);
    static size_t OnWrite(char* data, size_t size, size_t count, void* context);
    static size_t OnHttpWrite(char* data, size_t size, size_t count, void* context);
    static int OnProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    const TransferOp m_op;
    std::atomic<bool> m_abort{false};
    std::atomic<bool> m_closing{false};
    const EventDispatcher m_address;
    const TransferTarget m_target;
    TransferContext m_context;
    bool m_started = false;
    bool m_joined = false;
};
