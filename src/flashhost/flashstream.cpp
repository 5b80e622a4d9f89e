#include "flashstream.h"

#include "textconv.h"

#include <algorithm>

FlashStream::FlashStream(const NPP_t& instance, const NPPluginFuncs& pluginFuncs, int32_t length,
                         const Reader& read)
    : m_instance(instance), m_pluginFuncs(pluginFuncs), m_stream(), m_chunk(kChunkSize), m_length(length),
      m_read(read)
{
}

bool FlashStream::Send(const wxString& type, const wxString& url)
{
    if (!m_pluginFuncs.newstream || !m_pluginFuncs.writeready || !m_pluginFuncs.write ||
        !m_pluginFuncs.destroystream)
        return false;
    m_remaining = m_total = m_length;
    m_type = WideToUtf8(type.ToStdWstring());
    m_url = WideToUtf8(url.ToStdWstring());
    m_stream.pdata = m_instance.pdata;
    m_stream.ndata = m_instance.ndata;
    m_stream.url = m_url.c_str();
    m_stream.end = uint32_t(m_total);
    m_stream.lastmodified = 0;
    m_stream.notifyData = nullptr;
    m_stream.headers = nullptr;
    m_streamType = NP_NORMAL;
    if (m_pluginFuncs.newstream(&m_instance, &m_type[0], &m_stream, 0, &m_streamType) != NPERR_NO_ERROR)
        return false;
    WriteData();
    m_pluginFuncs.writeready(&m_instance, &m_stream);
    return m_pluginFuncs.destroystream(&m_instance, &m_stream, NPRES_DONE) == NPERR_NO_ERROR;
}

void FlashStream::WriteData()
{
    if (m_writing || m_refused)
        return;
    m_writing = true;
    while (m_remaining > 0) {
        int32_t ready = m_pluginFuncs.writeready(&m_instance, &m_stream);
        if (ready < 1) {
            m_writing = false;
            m_refused = true;
            return;
        }
        const int32_t length = std::min({ready, kChunkSize, m_remaining});
        m_read(size_t(m_written), size_t(length), m_chunk.data());
        m_written += length;
        m_pluginFuncs.write(&m_instance, &m_stream, m_total - m_remaining, length, m_chunk.data());
        m_remaining -= length;
    }
    m_writing = false;
}
