#pragma once

#include <wx/event.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One piece of a transfer as libcurl handed it over, on its way from the
// request's thread to the main thread.
struct HttpChunk {
    std::string mimeType;       // "" when the server named none
    int64_t contentLength = -1; // -1 when libcurl does not know it
    std::vector<char> bytes;
};

// Posted by a request's thread to its FlashHttpCurl, in this order: data
// events (payload: std::shared_ptr<HttpChunk>), then one done or failed event.
wxDECLARE_EVENT(FlashHttpDataEvent, wxThreadEvent);
wxDECLARE_EVENT(FlashHttpDoneEvent, wxThreadEvent);
wxDECLARE_EVENT(FlashHttpFailedEvent, wxThreadEvent);
