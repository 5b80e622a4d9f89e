#include "eventrequest.h"

#include "base64.h"
#include "textconv.h"

#include <string>

namespace {

const wchar_t kHead[] = L"<invoke name=\"TevOnAsyncEvent\" returntype=\"xml\"><arguments><string>";
const wchar_t kBetween[] = L"</string><string>";
const wchar_t kTail[] = L"</string></arguments></invoke>";

size_t LengthOf(const wchar_t* text)
{
    return std::char_traits<wchar_t>::length(text);
}

} // namespace

// Built in one piece: the toolkit's string formatting and narrow-to-wide
// conversions cost more than the rest of a delivery.
std::wstring BuildEventRequest(const AsyncEventData& event)
{
    const std::string utf8 = WideToUtf8(event.payload);
    const std::string payload = Base64Encode(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size());
    const std::string callerId = std::to_string(event.callerId);
    std::wstring request;
    request.reserve(LengthOf(kHead) + event.eventName.size() + 2 * LengthOf(kBetween) + callerId.size() +
                    payload.size() + LengthOf(kTail));
    request += kHead;
    request += event.eventName;
    request += kBetween;
    request.append(callerId.begin(), callerId.end());
    request += kBetween;
    request.append(payload.begin(), payload.end());
    request += kTail;
    return request;
}
