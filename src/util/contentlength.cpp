#include "contentlength.h"

#include <cctype>
#include <limits>

namespace {

const char kFieldName[] = "content-length:";
const size_t kFieldNameLength = sizeof kFieldName - 1;

bool StartsWithFieldName(const std::string& header, size_t lineStart)
{
    if (header.size() - lineStart < kFieldNameLength)
        return false;
    for (size_t index = 0; index < kFieldNameLength; ++index) {
        const unsigned char byte = static_cast<unsigned char>(header[lineStart + index]);
        if (std::tolower(byte) != kFieldName[index])
            return false;
    }
    return true;
}

// The decimal number at the position (after blanks and tabs); -1 without
// digits or beyond the 32-bit range.
int32_t NumberAt(const std::string& header, size_t at)
{
    while (at < header.size() && (header[at] == ' ' || header[at] == '\t'))
        ++at;
    int64_t value = 0;
    size_t digits = 0;
    for (; at < header.size() && header[at] >= '0' && header[at] <= '9'; ++at, ++digits) {
        value = value * 10 + (header[at] - '0');
        if (value > std::numeric_limits<int32_t>::max())
            return -1;
    }
    return digits == 0 ? -1 : int32_t(value);
}

} // namespace

int32_t ContentLengthInHeader(const std::string& header)
{
    for (size_t lineStart = 0; lineStart < header.size();) {
        if (StartsWithFieldName(header, lineStart))
            return NumberAt(header, lineStart + kFieldNameLength);
        const size_t lineEnd = header.find('\n', lineStart);
        if (lineEnd == std::string::npos)
            break;
        lineStart = lineEnd + 1;
    }
    return -1;
}
