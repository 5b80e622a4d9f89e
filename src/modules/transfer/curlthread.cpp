#include "curlthread.h"

#include "commandargs.h"
#include "contentlength.h"
#include "curltrust.h"
#include "textdecoding.h"
#include "transferurl.h"
#include "wholefile.h"

#include <json-c/json.h>

#include <cstdint>
#include <exception>
#include <utility>

namespace {

// Cleans a libcurl handle up when it goes out of scope.
struct EasyHandle {
    EasyHandle() : curl(curl_easy_init()) {}
    ~EasyHandle()
    {
        if (curl)
            curl_easy_cleanup(curl);
    }
    EasyHandle(const EasyHandle&) = delete;
    EasyHandle& operator=(const EasyHandle&) = delete;

    CURL* curl;
};

// A local file that is closed when it goes out of scope; closing reports
// whether everything written reached the file.
struct LocalFile {
    LocalFile() = default;
    ~LocalFile() { Close(); }
    LocalFile(const LocalFile&) = delete;
    LocalFile& operator=(const LocalFile&) = delete;

    bool Open(const std::wstring& path, const wchar_t* mode)
    {
        file = OpenFileWide(path, mode);
        return file != nullptr;
    }

    bool Close()
    {
        std::FILE* closing = std::exchange(file, nullptr);
        return !closing || std::fclose(closing) == 0;
    }

    std::FILE* file = nullptr;
};

template <class T>
bool SetOption(CURL* curl, CURLoption option, T value)
{
    return curl_easy_setopt(curl, option, value) == CURLE_OK;
}

// Credentials go to libcurl only when there are some: an empty text would
// still be sent as an empty Basic authorisation.
bool SetCredentials(CURL* curl, const std::string& credentials)
{
    return credentials.empty() || SetOption(curl, CURLOPT_USERPWD, credentials.c_str());
}

// Every transfer stops within about a second of a flag, also while the peer
// sends nothing, and verifies any TLS peer the same way.
bool SetCommonOptions(CURL* curl, const std::string& url, const std::string& credentials, TransferContext& context)
{
    return SetOption(curl, CURLOPT_URL, url.c_str()) && SetCredentials(curl, credentials) &&
           SetOption(curl, CURLOPT_NOSIGNAL, 1L) && SetOption(curl, CURLOPT_NOPROGRESS, 0L) &&
           SetOption(curl, CURLOPT_XFERINFODATA, static_cast<void*>(&context)) && SetTrustedCertificates(curl);
}

std::string DecimalText(int64_t value)
{
    return std::to_string(static_cast<long long>(value));
}

void PostProgress(const TransferContext& context)
{
    json_object* payload = json_object_new_object();
    if (payload) {
        json_object_object_add(payload, "bytesTransferred", MakeUtf8(DecimalText(context.transferred)));
        json_object_object_add(payload, "bytesTotal", MakeUtf8(DecimalText(context.expected)));
    }
    EventDispatcher::Send(context.address, "onProgress", payload);
}

// A body that is not UTF-8 is delivered as the empty text.
wxString BodyText(const std::string& body)
{
    std::wstring text;
    DecodeStrictUtf8(reinterpret_cast<const unsigned char*>(body.data()), body.size(), text);
    return wxString(text);
}

bool AppendToBuffer(TransferContext& context, const char* data, size_t size)
{
    try {
        context.buffer.append(data, size);
        return true;
    } catch (const std::exception&) {
        context.bufferFailed = true;
        return false;
    }
}

// What a write callback answers to stop the transfer: anything but the block
// size makes libcurl fail it.
size_t Refused(size_t size)
{
    return size == 0 ? 1 : 0;
}

} // namespace

CurlThread::CurlThread(TransferOp op, const EventDispatcher& address, TransferTarget target)
    : wxThread(wxTHREAD_JOINABLE), m_op(op), m_address(address), m_target(std::move(target)),
      m_context(m_abort, m_closing, address)
{
}

CurlThread::~CurlThread()
{
    Close();
}

void CurlThread::Start()
{
    m_started = Run() == wxTHREAD_NO_ERROR;
    if (m_started)
        return;
    if (m_op == TransferOp::FtpUpload || m_op == TransferOp::FtpDownload)
        ReportFtp(m_op == TransferOp::FtpUpload, false);
    else
        ReportHttp(m_op == TransferOp::HttpGetFile, false, std::string());
}

void CurlThread::Abort()
{
    StopWith(m_abort);
}

void CurlThread::Close()
{
    StopWith(m_closing);
}

void CurlThread::StopWith(std::atomic<bool>& flag)
{
    flag = true;
    if (!m_started || m_joined)
        return;
    Wait(wxTHREAD_WAIT_YIELD);
    m_joined = true;
}

wxThread::ExitCode CurlThread::Entry()
{
    bool succeeded = true;
    switch (m_op) {
    case TransferOp::FtpUpload:
        succeeded = FtpTransfer(true);
        break;
    case TransferOp::FtpDownload:
        succeeded = FtpTransfer(false);
        break;
    case TransferOp::HttpGetFile:
        succeeded = HttpGet(true);
        break;
    case TransferOp::HttpGetText:
        succeeded = HttpGet(false);
        break;
    }
    return succeeded ? nullptr : reinterpret_cast<ExitCode>(static_cast<intptr_t>(-1));
}

// The local file is opened (a download's created or emptied) before any
// connection is made, so a file that cannot be opened opens no session.
bool CurlThread::FtpTransfer(bool upload)
{
    bool succeeded = false;
    {
        EasyHandle handle;
        LocalFile local;
        m_context.transferred = 0;
        succeeded = handle.curl && local.Open(m_target.localPath, upload ? L"rb" : L"wb");
        m_context.file = local.file;
        succeeded = succeeded && SetFtpOptions(handle.curl, upload) && curl_easy_perform(handle.curl) == CURLE_OK;
        succeeded = local.Close() && succeeded;
        m_context.file = nullptr;
    }
    ReportFtp(upload, succeeded);
    return succeeded;
}

bool CurlThread::SetFtpOptions(CURL* curl, bool upload)
{
    const std::string url = JoinTransferUrl(m_target.url, m_target.remotePath);
    if (!SetCommonOptions(curl, url, m_target.credentials, m_context) ||
        !SetOption(curl, CURLOPT_XFERINFOFUNCTION, &CurlThread::OnProgress))
        return false;
    if (!m_target.proxy.empty() && !SetOption(curl, CURLOPT_PROXY, m_target.proxy.c_str()))
        return false;
    if (upload)
        return SetOption(curl, CURLOPT_UPLOAD, 1L) && SetOption(curl, CURLOPT_READDATA, static_cast<void*>(&m_context)) &&
               SetOption(curl, CURLOPT_READFUNCTION, &CurlThread::OnRead);
    return SetOption(curl, CURLOPT_WRITEDATA, static_cast<void*>(&m_context)) &&
           SetOption(curl, CURLOPT_WRITEFUNCTION, &CurlThread::OnWrite);
}

// Reported in this order: aborted, closed (silently), failed, done.
void CurlThread::ReportFtp(bool upload, bool succeeded) const
{
    if (m_abort)
        EventDispatcher::Send(m_address, "onAborted", json_object_new_object());
    else if (m_closing)
        return;
    else if (!succeeded)
        EventDispatcher::Send(m_address, "onError", ObjectWith("error", MakeUtf8("Transferring.")));
    else
        EventDispatcher::Send(m_address, upload ? "onFileSent" : "onFileReceived", json_object_new_object());
}

// A get asks for the length first; without one it fails before the body is
// requested, and a get into a file leaves the file alone.
bool CurlThread::HttpGet(bool toFile)
{
    TransferContext context(m_abort, m_closing, m_address);
    context.toFile = toFile;
    context.expected = QueryContentLength();
    bool succeeded = context.expected != -1;
    if (succeeded)
        succeeded = PerformHttpGet(context);
    ReportHttp(toFile, succeeded, context.buffer);
    return succeeded;
}

bool CurlThread::PerformHttpGet(TransferContext& context)
{
    EasyHandle handle;
    if (!handle.curl)
        return false;
    LocalFile local;
    if (context.toFile && !local.Open(m_target.localPath, L"wb"))
        return false;
    context.file = local.file;
    const bool performed = SetHttpOptions(handle.curl, context) && curl_easy_perform(handle.curl) == CURLE_OK;
    context.file = nullptr;
    return local.Close() && performed && !context.bufferFailed;
}

bool CurlThread::SetHttpOptions(CURL* curl, TransferContext& context)
{
    return SetCommonOptions(curl, m_target.url, m_target.credentials, context) &&
           SetOption(curl, CURLOPT_XFERINFOFUNCTION, &CurlThread::OnProgress) &&
           SetOption(curl, CURLOPT_WRITEDATA, static_cast<void*>(&context)) &&
           SetOption(curl, CURLOPT_WRITEFUNCTION, &CurlThread::OnHttpWrite);
}

// The response header alone (no body is asked for), read for its
// "Content-Length"; -1 when the request fails or the header has none.
int64_t CurlThread::QueryContentLength()
{
    EasyHandle handle;
    if (!handle.curl)
        return -1;
    TransferContext context(m_abort, m_closing, m_address);
    if (!SetHttpOptions(handle.curl, context) || !SetOption(handle.curl, CURLOPT_NOBODY, 1L) ||
        !SetOption(handle.curl, CURLOPT_HEADER, 1L) || curl_easy_perform(handle.curl) != CURLE_OK ||
        context.bufferFailed)
        return -1;
    return ContentLengthInHeader(context.buffer);
}

void CurlThread::ReportHttp(bool toFile, bool succeeded, const std::string& body) const
{
    if (m_closing)
        return;
    if (!succeeded)
        EventDispatcher::Send(m_address, "onError", json_object_new_object());
    else if (toFile)
        EventDispatcher::Send(m_address, "onBinaryTransferComplete",
                              ObjectWith("filename", MakeText(wxString(m_target.localPath))));
    else
        EventDispatcher::Send(m_address, "onTransferComplete", ObjectWith("data", MakeText(BodyText(body))));
}

size_t CurlThread::OnRead(char* data, size_t size, size_t count, void* context)
{
    TransferContext& transfer = *static_cast<TransferContext*>(context);
    if (transfer.StopRequested())
        return CURL_READFUNC_ABORT;
    const size_t read = std::fread(data, 1, size * count, transfer.file);
    transfer.transferred += int64_t(read);
    return read;
}

size_t CurlThread::OnWrite(char* data, size_t size, size_t count, void* context)
{
    TransferContext& transfer = *static_cast<TransferContext*>(context);
    const size_t received = size * count;
    if (transfer.StopRequested())
        return Refused(received);
    transfer.transferred += int64_t(received);
    return std::fwrite(data, 1, received, transfer.file);
}

size_t CurlThread::OnHttpWrite(char* data, size_t size, size_t count, void* context)
{
    TransferContext& transfer = *static_cast<TransferContext*>(context);
    const size_t received = size * count;
    if (transfer.StopRequested())
        return Refused(received);
    if (transfer.expected != -1) {
        transfer.transferred += int64_t(received);
        PostProgress(transfer);
    }
    if (transfer.toFile)
        return std::fwrite(data, 1, received, transfer.file);
    return AppendToBuffer(transfer, data, received) ? received : Refused(received);
}

int CurlThread::OnProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<TransferContext*>(context)->StopRequested() ? 1 : 0;
}
