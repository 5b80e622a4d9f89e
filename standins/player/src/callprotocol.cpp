#include "callprotocol.h"

#include "base64.h"

namespace standin {

namespace {

const char kStringOpen[] = "<string>";
const char kStringClose[] = "</string>";

std::string DecodeEntities(const std::string& text)
{
    static const struct {
        const char* entity;
        char character;
    } kEntities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const auto& entry : kEntities) {
                std::string entity = entry.entity;
                if (text.compare(i, entity.size(), entity) == 0) {
                    out += entry.character;
                    i += entity.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

bool StartsWithAt(const std::string& text, size_t pos, const std::string& prefix)
{
    return text.compare(pos, prefix.size(), prefix) == 0;
}

// One argument element at pos; advances pos past it.
bool ParseArgument(const std::string& xml, size_t& pos, std::string& value)
{
    static const struct {
        const char* element;
        const char* value;
    } kEmptyElements[] = {{"<true/>", "true"}, {"<false/>", "false"}, {"<null/>", "null"}, {"<undefined/>", "undefined"}};
    for (const auto& entry : kEmptyElements) {
        if (StartsWithAt(xml, pos, entry.element)) {
            value = entry.value;
            pos += std::char_traits<char>::length(entry.element);
            return true;
        }
    }
    for (const char* element : {"string", "number"}) {
        std::string open = std::string("<") + element + ">";
        std::string close = std::string("</") + element + ">";
        if (!StartsWithAt(xml, pos, open))
            continue;
        size_t start = pos + open.size();
        size_t end = xml.find(close, start);
        if (end == std::string::npos)
            return false;
        value = DecodeEntities(xml.substr(start, end - start));
        pos = end + close.size();
        return true;
    }
    return false;
}

} // namespace

std::string BuildCommandScript(bool async, int formId, int callerId, const std::string& jsonText)
{
    return "try { __flash__toXML(TevOnCommand(" + std::string(async ? "true" : "false") + "," +
           std::to_string(formId) + "," + std::to_string(callerId) + ",\"" + Base64Encode(jsonText) +
           "\")) ; } catch (e) { \"<undefined/>\"; }";
}

bool ParseStringReply(const std::string& reply, std::string& text)
{
    const std::string open = kStringOpen, close = kStringClose;
    if (reply.size() < open.size() + close.size() || reply.compare(0, open.size(), open) != 0 ||
        reply.compare(reply.size() - close.size(), close.size(), close) != 0)
        return false;
    text = DecodeEntities(reply.substr(open.size(), reply.size() - open.size() - close.size()));
    return true;
}

bool ParseInvokeRequest(const std::string& xml, InvokeRequest& request)
{
    const std::string head = "<invoke name=\"";
    if (!StartsWithAt(xml, 0, head))
        return false;
    size_t nameEnd = xml.find('"', head.size());
    if (nameEnd == std::string::npos)
        return false;
    request.name = xml.substr(head.size(), nameEnd - head.size());
    request.arguments.clear();
    size_t pos = xml.find('>', nameEnd);
    if (pos == std::string::npos)
        return false;
    ++pos;
    if (StartsWithAt(xml, pos, "<arguments/>"))
        return StartsWithAt(xml, pos + 12, "</invoke>");
    if (!StartsWithAt(xml, pos, "<arguments>"))
        return StartsWithAt(xml, pos, "</invoke>");
    pos += 11;
    while (!StartsWithAt(xml, pos, "</arguments>")) {
        std::string value;
        if (!ParseArgument(xml, pos, value))
            return false;
        request.arguments.push_back(value);
    }
    return StartsWithAt(xml, pos + 12, "</invoke>");
}

std::string XmlStringAnswer(const std::string& text)
{
    std::string out = kStringOpen;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out + kStringClose;
}

} // namespace standin
