#include "flashhttpcurl.h"

#include "flashhttpevents.h"
#include "pollthread.h"

#include <algorithm>
#include <cstdlib>

FlashHttpCurl::FlashHttpCurl(int32_t formId, const NPPluginFuncs& pluginFuncs)
    : m_formId(formId), m_pluginFuncs(pluginFuncs), m_stream()
{
    Bind(FlashHttpDataEvent, &FlashHttpCurl::OnDataEvent, this);
    Bind(FlashHttpDoneEvent, &FlashHttpCurl::OnDone, this);
    Bind(FlashHttpFailedEvent, &FlashHttpCurl::OnFailed, this);
}

FlashHttpCurl::~FlashHttpCurl()
{
    Close();
    // The thread only posts events, so it never waits for this thread: a
    // plain wait is enough and dispatches nothing while the host shuts down.
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
    m_abandoned = true;
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
    m_thread = std::make_unique<PollThread>(this, m_abandoned, m_url, buffer, length, file);
    if (m_thread->Run() != wxTHREAD_NO_ERROR) {
        m_thread.reset();
        return NPERR_GENERIC_ERROR;
    }
    return NPERR_NO_ERROR;
}

void FlashHttpCurl::OnDataEvent(wxThreadEvent& event)
{
    const auto chunk = event.GetPayload<std::shared_ptr<HttpChunk>>();
    if (!m_closing && chunk)
        OnData(*chunk);
}

void FlashHttpCurl::OnDone(wxThreadEvent&)
{
    if (!m_closing)
        Finish(m_refused ? NPRES_NETWORK_ERR : NPRES_DONE);
}

void FlashHttpCurl::OnFailed(wxThreadEvent&)
{
    if (!m_closing)
        Finish(NPRES_NETWORK_ERR);
}

// The stream opens with the first chunk; every chunk then goes to the plug-in
// in pieces of at most kMaxWrite bytes, at offsets that run on across chunks.
void FlashHttpCurl::OnData(const HttpChunk& chunk)
{
    if (m_firstChunk) {
        m_firstChunk = false;
        OpenStream(chunk);
    }
    if (m_refused)
        return;
    for (size_t done = 0; done < chunk.bytes.size();) {
        const size_t length = std::min(kMaxWrite, chunk.bytes.size() - done);
        WriteStream(m_delivered, length, chunk.bytes.data() + done);
        m_delivered += uint32_t(length);
        done += length;
    }
}

// A stream the plug-in refuses gets no writes and no destroy; its transfer
// is given up and the request ends with a network error.
void FlashHttpCurl::OpenStream(const HttpChunk& chunk)
{
    m_mimeType = chunk.mimeType;
    m_stream.end = uint32_t(chunk.contentLength);
    uint16_t streamType = NP_NORMAL;
    if (m_pluginFuncs.newstream &&
        m_pluginFuncs.newstream(m_npp, &m_mimeType[0], &m_stream, 0, &streamType) != NPERR_NO_ERROR) {
        m_refused = true;
        m_abandoned = true;
        return;
    }
    m_streamOpen = true;
    m_deliver = streamType == NP_NORMAL || streamType == NP_ASFILE;
    m_asFile = streamType == NP_ASFILE || streamType == NP_ASFILEONLY;
    if (m_deliver && m_pluginFuncs.writeready)
        m_pluginFuncs.writeready(m_npp, &m_stream);
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
