#include "flashhttprequests.h"

#include "flashhttpcurl.h"

#include <algorithm>

FlashHttpRequests& FlashHttpRequests::Get()
{
    static FlashHttpRequests requests;
    return requests;
}

FlashHttpCurl& FlashHttpRequests::Create(int32_t formId, const NPPluginFuncs& pluginFuncs)
{
    DeleteEnded();
    m_requests.push_back(std::make_unique<FlashHttpCurl>(formId, pluginFuncs));
    return *m_requests.back();
}

void FlashHttpRequests::CloseForInstance(NPP npp)
{
    for (const auto& request : m_requests) {
        if (request->Instance() == npp)
            request->Close();
    }
}

// The list is emptied before the requests go: a request's destructor must
// not find itself in it.
void FlashHttpRequests::DeleteAll()
{
    std::vector<std::unique_ptr<FlashHttpCurl>> requests;
    requests.swap(m_requests);
}

void FlashHttpRequests::DeleteEnded()
{
    std::vector<std::unique_ptr<FlashHttpCurl>> ended;
    for (auto& request : m_requests) {
        if (request->HasEnded())
            ended.push_back(std::move(request));
    }
    m_requests.erase(std::remove(m_requests.begin(), m_requests.end(), nullptr), m_requests.end());
}
