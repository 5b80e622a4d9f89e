#include "flashhttpcurl.h"

#include "flashhttpevents.h"
#include "pollthread.h"

#include <algorithm>
#include <cstdlib>

FlashHttpCurl::FlashHttpCurl(int32_t formId, const NPPluginFuncs& pluginFuncs)
    : m_formId(formId), m_pluginFuncs(pluginFuncs), m_stream(),
      m_backlog(kBacklogLimit, kWakeBytes, [this] { wxQueueEvent(this, new wxThreadEvent(FlashHttpDataEvent)); }),
      m_retry(this)
{
    Bind(FlashHttpDataEvent, &FlashHttpCurl::OnDataEvent, this);
    Bind(FlashHttpDoneEvent, &FlashHttpCurl::OnDone, this);
    Bind(FlashHttpFailedEvent, &FlashHttpCurl::OnFailed, this);
    Bind(wxEVT_TIMER, &FlashHttpCurl::OnRetry, this);
}

FlashHttpCurl::~FlashHttpCurl()
{
    Close();
    // The thread waits for this thread only for room in the backlog, which
    // Close has ended: a plain wait is enough and dispatches nothing while the
    // host shuts down.
    if (m_thread)
        m_thread->Wait(wxTHREAD_WAIT_BLOCK);
    m_thread.reset();
}

NPError FlashHttpCurl::GetURL(NPP npp, const char* url, const char* target)
{
    return Start(npp, url, target, 0, nullptr, false, false, nullptr);
}

NPError FlashHttpCurl::PostURL(NPP npp, const char* url, const char* target, uint32_t length, const char* buffer,
                               NPBool file)
{
    if (buffer && length == 0)
        return NPERR_INVALID_PARAM;
    return Start(npp, url, target, length, buffer, file != 0, false, nullptr);
}

NPError FlashHttpCurl::GetURLNotify(NPP npp, const char* url, const char* target, void* notifyData)
{
    return Start(npp, url, target, 0, nullptr, false, true, notifyData);
}

NPError FlashHttpCurl::PostURLNotify(NPP npp, const char* url, const char* target, uint32_t length,
                                     const char* buffer, NPBool file, void* notifyData)
{
    if (buffer && length == 0)
        return NPERR_INVALID_PARAM;
    return Start(npp, url, target, length, buffer, file != 0, true, notifyData);
}

void FlashHttpCurl::Close()
{
    m_closing = true;
    m_retry.Stop();
    m_backlog.Close();
    if (m_thread)
        m_thread->Stop();
    DiscardTempFile();
}

bool FlashHttpCurl::HasEnded() const
{
    return !m_thread || (m_thread->HasEnded() && (m_finished || m_closing));
}

// The POST buffer is the plug-in's memory: the thread copies it before this
// returns. The file flag is kept with it; the buffer always holds the data.
NPError FlashHttpCurl::Start(NPP npp, const char* url, const char* target, uint32_t length, const char* buffer,
                             bool file, bool notify, void* notifyData)
{
    if (!npp || !npp->ndata || m_thread)
        return NPERR_GENERIC_ERROR;
    if (!url)
        return NPERR_INVALID_URL;
    m_npp = npp;
    m_url = url;
    m_target = target ? target : "";
    m_notify = notify;
    m_notifyData = notifyData;
    m_stream = NPStream();
    m_stream.pdata = npp->pdata;
    m_stream.ndata = npp->ndata;
    m_stream.url = m_url.c_str();
    m_stream.end = uint32_t(-1);
    m_stream.notifyData = notifyData;
    m_thread = std::make_unique<PollThread>(this, m_backlog, m_url, buffer, length, file);
    if (m_thread->Run() != wxTHREAD_NO_ERROR) {
        m_thread.reset();
        return NPERR_GENERIC_ERROR;
    }
    return NPERR_NO_ERROR;
}

void FlashHttpCurl::OnDataEvent(wxThreadEvent&)
{
    Deliver();
}

void FlashHttpCurl::OnDone(wxThreadEvent&)
{
    EndTransfer(NPRES_DONE);
}

void FlashHttpCurl::OnFailed(wxThreadEvent&)
{
    EndTransfer(NPRES_NETWORK_ERR);
}

void FlashHttpCurl::OnRetry(wxTimerEvent&)
{
    Deliver();
}

// The thread has appended all it will: the stream ends once the plug-in has
// the rest. A refused stream ends as a failure.
void FlashHttpCurl::EndTransfer(NPReason reason)
{
    m_transferEnded = true;
    m_endReason = reason;
    Deliver();
}

// Writes what the backlog holds, block by block, until it is empty or the
// plug-in takes no more; then it is asked again shortly. Offsets run on
// across blocks. A plug-in that lets messages through while it is written to
// re-enters here: the outer round goes on with whatever arrived.
void FlashHttpCurl::Deliver()
{
    if (m_closing || m_finished || m_delivering)
        return;
    m_delivering = true;
    bool written = true;
    while (written && (m_blockWritten < m_block.size() || NextBlock()))
        written = WriteBlock();
    m_delivering = false;
    if (m_closing)
        return;
    if (!written)
        m_retry.StartOnce(kRetryMs);
    else if (m_transferEnded)
        Finish(m_refused ? NPRES_NETWORK_ERR : m_endReason);
}

// Hands the written block back to the backlog and takes the next one; the
// stream opens with the first. False when there is nothing to write.
bool FlashHttpCurl::NextBlock()
{
    m_backlog.Release(m_block.size());
    m_blockWritten = 0;
    m_backlog.Take(m_block);
    if (!m_block.empty() && m_firstChunk) {
        m_firstChunk = false;
        OpenStream();
    }
    if (m_refused)
        m_block.clear();
    return !m_block.empty();
}

// Writes the rest of the block in pieces of at most kMaxWrite bytes, and no
// larger than NPP_WriteReady allows. False when the plug-in answers that it
// takes nothing now.
bool FlashHttpCurl::WriteBlock()
{
    while (m_blockWritten < m_block.size() && !m_closing) {
        size_t length = std::min(kMaxWrite, m_block.size() - m_blockWritten);
        if (m_deliver && m_pluginFuncs.writeready) {
            const int32_t ready = m_pluginFuncs.writeready(m_npp, &m_stream);
            if (ready <= 0)
                return false;
            length = std::min(length, size_t(ready));
        }
        const size_t offset = m_blockWritten;
        m_blockWritten += length;
        WriteStream(m_delivered, length, m_block.data() + offset);
        m_delivered += uint32_t(length);
    }
    return true;
}

// A stream the plug-in refuses gets no writes and no destroy; its transfer
// is given up and the request ends with a network error.
void FlashHttpCurl::OpenStream()
{
    const StreamBacklog::Description described = m_backlog.Described();
    m_mimeType = described.mimeType;
    m_stream.end = uint32_t(described.contentLength);
    uint16_t streamType = NP_NORMAL;
    if (m_pluginFuncs.newstream &&
        m_pluginFuncs.newstream(m_npp, &m_mimeType[0], &m_stream, 0, &streamType) != NPERR_NO_ERROR) {
        m_refused = true;
        m_backlog.Close();
        return;
    }
    m_streamOpen = true;
    m_deliver = streamType == NP_NORMAL || streamType == NP_ASFILE;
    m_asFile = streamType == NP_ASFILE || streamType == NP_ASFILEONLY;
}

void FlashHttpCurl::WriteStream(uint32_t offset, size_t length, const char* piece)
{
    if (m_asFile && !m_tempFileFailed) {
        if (!m_tempFile) {
            char* name = _tempnam(nullptr, "nxa");
            if (name) {
                m_tempName = name;
                std::free(name);
                m_tempFile = std::fopen(m_tempName.c_str(), "wb");
            }
        }
        m_tempFileFailed = !m_tempFile || std::fwrite(piece, 1, length, m_tempFile) != length;
    }
    if (m_deliver && m_pluginFuncs.write)
        m_pluginFuncs.write(m_npp, &m_stream, int32_t(offset), int32_t(length), const_cast<char*>(piece));
}

// A file stream hands over its file only when the whole transfer reached it;
// the file is deleted once the stream is destroyed.
void FlashHttpCurl::EndStream(NPReason reason)
{
    if (m_asFile) {
        const bool complete = m_tempFile && std::fclose(m_tempFile) == 0 && !m_tempFileFailed;
        m_tempFile = nullptr;
        const char* fileName = reason == NPRES_DONE && complete ? m_tempName.c_str() : nullptr;
        if (m_pluginFuncs.asfile)
            m_pluginFuncs.asfile(m_npp, &m_stream, fileName);
    }
    if (m_pluginFuncs.destroystream)
        m_pluginFuncs.destroystream(m_npp, &m_stream, reason);
    DiscardTempFile();
}

// A request that ended before its first chunk never announced a stream, so
// it only notifies.
void FlashHttpCurl::Finish(NPReason reason)
{
    if (m_streamOpen) {
        m_streamOpen = false;
        EndStream(reason);
    }
    if (m_notify && m_pluginFuncs.urlnotify)
        m_pluginFuncs.urlnotify(m_npp, m_url.c_str(), reason, m_notifyData);
    m_finished = true;
}

void FlashHttpCurl::DiscardTempFile()
{
    if (m_tempFile)
        std::fclose(m_tempFile);
    m_tempFile = nullptr;
    if (!m_tempName.empty())
        std::remove(m_tempName.c_str());
    m_tempName.clear();
}
