#pragma once

#include "npdefs.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class FlashHttpCurl;

// The plug-in's URL requests, owned by the host. A request that has ended is
// deleted when the next one is made, so a movie that keeps loading data does
// not pile them up. Main thread only.
class FlashHttpRequests {
public:
    static FlashHttpRequests& Get();

    // A new request for the form, calling the plug-in through a copy of the
    // table. Requests that have ended are deleted first.
    FlashHttpCurl& Create(int32_t formId, const NPPluginFuncs& pluginFuncs);
    // Closes every request of an instance that goes away: their transfers stop
    // and the instance hears nothing more of them.
    void CloseForInstance(NPP npp);
    // Deletes every request, each waiting for its thread. For shut-down,
    // before the plug-in is unloaded.
    void DeleteAll();
    size_t Count() const { return m_requests.size(); }

private:
    FlashHttpRequests() = default;
    void DeleteEnded();

    std::vector<std::unique_ptr<FlashHttpCurl>> m_requests;
};
