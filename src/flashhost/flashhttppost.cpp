#include "flashhttppost.h"

namespace {

const char kHeaderEnd[] = "\r\n\r\n";
const char kLineEnd[] = "\r\n";

std::vector<std::string> SplitHeaderLines(const std::string& block)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= block.size()) {
        size_t end = block.find(kLineEnd, start);
        if (end == std::string::npos)
            end = block.size();
        if (end > start)
            lines.push_back(block.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace

FlashHttpPost SplitPostBuffer(const char* buffer, size_t length)
{
    FlashHttpPost post;
    if (!buffer || length == 0)
        return post;
    const std::string text(buffer, length);
    const size_t separator = text.find(kHeaderEnd);
    if (separator == std::string::npos) {
        post.body = text;
        return post;
    }
    post.headerLines = SplitHeaderLines(text.substr(0, separator));
    post.body = text.substr(separator + 4);
    return post;
}
