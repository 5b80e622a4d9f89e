#include "pollthread.h"

#include "curltrust.h"
#include "flashhttpevents.h"
#include "flashhttpurl.h"
#include "npdefs.h"
#include "proxydiscovery.h"
#include "streambacklog.h"
#include "textconv.h"
#include "urlreceivebuffer.h"

#include <windows.h>

namespace {

std::wstring CurrentFolder()
{
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(size, L'\0');
    folder.resize(GetCurrentDirectoryW(size, &folder[0]));
    return folder;
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ContentTypeOf(CURL* curl)
{
    const char* type = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &type) != CURLE_OK || !type)
        return std::string();
    return type;
}

int64_t ContentLengthOf(CURL* curl)
{
    curl_off_t length = -1;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK)
        return -1;
    return length;
}

} // namespace

PollThread::PollThread(wxEvtHandler* owner, StreamBacklog& backlog, const std::string& url, const char* postBuffer,
                       uint32_t postLength, bool file)
    : wxThread(wxTHREAD_JOINABLE), m_owner(owner), m_backlog(backlog), m_url(url),
      m_isPost(postBuffer != nullptr), m_post(SplitPostBuffer(postBuffer, postLength)), m_file(file)
{
}

PollThread::~PollThread()
{
    if (m_curl)
        curl_easy_cleanup(m_curl);
    curl_slist_free_all(m_headers);
}

wxThread::ExitCode PollThread::Entry()
{
    const bool ready = Setup() == NPERR_NO_ERROR;
    const bool transferred = ready && curl_easy_perform(m_curl) == CURLE_OK;
    if (!m_stop)
        wxQueueEvent(m_owner, new wxThreadEvent(transferred ? FlashHttpDoneEvent : FlashHttpFailedEvent));
    m_ended = true;
    return 0;
}

int PollThread::Setup()
{
    if (!HasUrlScheme(m_url) && !ResolveLocalPath())
        return NPERR_INVALID_URL;
    m_curl = curl_easy_init();
    if (!m_curl)
        return NPERR_GENERIC_ERROR;
    SetProxyForUrl(m_curl, m_url);
    if (curl_easy_setopt(m_curl, CURLOPT_URL, m_url.c_str()) != CURLE_OK)
        return NPERR_INVALID_URL;
    if (m_isPost && !SetPostData())
        return NPERR_INVALID_PARAM;
    return SetTransferOptions() ? NPERR_NO_ERROR : NPERR_GENERIC_ERROR;
}

// A path without a scheme names a local file, relative to the working
// directory unless it is absolute. A file that is not there fails the
// request before any handle exists.
bool PollThread::ResolveLocalPath()
{
    std::string path = m_url;
    if (!IsAbsoluteLocalPath(path))
        path = WideToUtf8(CurrentFolder()) + "\\" + path;
    if (!IsFile(Utf8ToWide(path)))
        return false;
    m_url = FileUrlFromPath(path);
    return true;
}

bool PollThread::SetPostData()
{
    if (curl_easy_setopt(m_curl, CURLOPT_POST, 1L) != CURLE_OK ||
        curl_easy_setopt(m_curl, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(m_post.body.size())) != CURLE_OK ||
        curl_easy_setopt(m_curl, CURLOPT_POSTFIELDS, m_post.body.data()) != CURLE_OK)
        return false;
    for (const std::string& line : m_post.headerLines) {
        curl_slist* grown = curl_slist_append(m_headers, line.c_str());
        if (!grown)
            return false;
        m_headers = grown;
    }
    return !m_headers || curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, m_headers) == CURLE_OK;
}

// Answers of 400 and above count as failures. libcurl calls the progress
// callback after each round of reading, before it waits for the network:
// there the gathered bytes are announced, and a stalled transfer notices
// that it should stop. A receive buffer larger than libcurl's 16 KiB means
// fewer socket reads per megabyte, each of which is costly on this platform.
bool PollThread::SetTransferOptions()
{
    return curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &PollThread::OnWrite) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, this) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_XFERINFOFUNCTION, &PollThread::OnProgress) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_XFERINFODATA, this) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 0L) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_BUFFERSIZE, kUrlReceiveBufferBytes) == CURLE_OK &&
           curl_easy_setopt(m_curl, CURLOPT_FAILONERROR, 1L) == CURLE_OK && SetTrustedCertificates(m_curl);
}

// The body's type and length go with its first bytes.
void PollThread::Receive(const char* data, size_t size)
{
    if (!m_described) {
        m_described = true;
        m_backlog.Describe({ContentTypeOf(m_curl), ContentLengthOf(m_curl)});
    }
    m_backlog.Append(data, size);
}

bool PollThread::ShouldAbort() const
{
    return m_stop || m_backlog.IsClosed();
}

// Appending may wait for room in the backlog: the transfer pauses while the
// plug-in is behind.
size_t PollThread::OnWrite(char* data, size_t size, size_t count, void* context)
{
    PollThread* thread = static_cast<PollThread*>(context);
    const size_t received = size * count;
    if (thread->ShouldAbort())
        return received == 0 ? 1 : 0;
    if (received > 0)
        thread->Receive(data, received);
    return received;
}

int PollThread::OnProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    PollThread* thread = static_cast<PollThread*>(context);
    thread->m_backlog.Flush();
    return thread->ShouldAbort() ? 1 : 0;
}
