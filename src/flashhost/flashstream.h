#pragma once

#include "npdefs.h"

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One movie, written into a plug-in instance as a stream in pieces of at
// most kChunkSize bytes, as much as the plug-in says it is ready for each
// time. Each piece is fetched from the reader as it is written, so the movie
// is never copied whole; Send writes all of it before it returns.
class FlashStream {
public:
    static constexpr int32_t kChunkSize = 30720;

    // Writes `count` bytes of the movie, from `offset` on, to `out`.
    using Reader = std::function<void(size_t offset, size_t count, uint8_t* out)>;

    FlashStream(const NPP_t& instance, const NPPluginFuncs& pluginFuncs, int32_t length, const Reader& read);
    FlashStream(const FlashStream&) = delete;
    FlashStream& operator=(const FlashStream&) = delete;
    virtual ~FlashStream() = default;

    // Opens the stream, writes the movie and closes the stream; true when the
    // plug-in accepted the stream and its close.
    bool Send(const wxString& type, const wxString& url);

private:
    void WriteData();

    NPP_t m_instance;
    NPPluginFuncs m_pluginFuncs;
    NPStream m_stream;
    bool m_writing = false;
    bool m_refused = false;
    int32_t m_remaining = 0;
    int32_t m_total = 0;
    uint16_t m_streamType = NP_NORMAL;
    std::vector<uint8_t> m_chunk;
    int32_t m_length;
    const Reader& m_read;
    int32_t m_written = 0;
    std::string m_type;
    std::string m_url;
};
