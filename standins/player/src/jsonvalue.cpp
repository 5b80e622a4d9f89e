#include "jsonvalue.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace standin {

class JsonValue::Parser {
public:
    explicit Parser(const std::string& text) : m_text(text) {}

    bool ParseDocument(JsonValue& value)
    {
        if (!ParseValue(value, 0))
            return false;
        SkipSpace();
        return m_pos == m_text.size();
    }

private:
    static constexpr int kMaxDepth = 64;

    void SkipSpace()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n' ||
                                         m_text[m_pos] == '\r'))
            ++m_pos;
    }

    bool Consume(const char* word)
    {
        size_t length = std::char_traits<char>::length(word);
        if (m_text.compare(m_pos, length, word) != 0)
            return false;
        m_pos += length;
        return true;
    }

    bool ParseValue(JsonValue& value, int depth)
    {
        if (depth > kMaxDepth)
            return false;
        SkipSpace();
        if (m_pos >= m_text.size())
            return false;
        char c = m_text[m_pos];
        if (c == '{')
            return ParseObject(value, depth);
        if (c == '[')
            return ParseArray(value, depth);
        if (c == '"') {
            value.m_kind = Kind::String;
            return ParseString(value.m_text);
        }
        if (Consume("true")) {
            value.m_kind = Kind::Bool;
            value.m_bool = true;
            return true;
        }
        if (Consume("false")) {
            value.m_kind = Kind::Bool;
            return true;
        }
        if (Consume("null"))
            return true;
        return ParseNumber(value);
    }

    bool ParseNumber(JsonValue& value)
    {
        size_t start = m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '-')
            ++m_pos;
        while (m_pos < m_text.size() && (isdigit((unsigned char)m_text[m_pos]) || m_text[m_pos] == '.' ||
                                         m_text[m_pos] == 'e' || m_text[m_pos] == 'E' || m_text[m_pos] == '+' ||
                                         m_text[m_pos] == '-'))
            ++m_pos;
        std::string number = m_text.substr(start, m_pos - start);
        if (number.empty() || number == "-")
            return false;
        char* end = nullptr;
        value.m_number = std::strtod(number.c_str(), &end);
        value.m_kind = Kind::Number;
        return end && *end == '\0';
    }

    bool ParseHex4(unsigned& code)
    {
        if (m_pos + 4 > m_text.size())
            return false;
        code = 0;
        for (int i = 0; i < 4; ++i) {
            char c = m_text[m_pos++];
            code <<= 4;
            if (c >= '0' && c <= '9')
                code |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                code |= unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                code |= unsigned(c - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned code)
    {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | code >> 6);
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | code >> 12);
            out += char(0x80 | (code >> 6 & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | code >> 18);
            out += char(0x80 | (code >> 12 & 0x3F));
            out += char(0x80 | (code >> 6 & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }

    bool ParseEscape(std::string& out)
    {
        if (m_pos >= m_text.size())
            return false;
        char c = m_text[m_pos++];
        switch (c) {
        case '"': out += '"'; return true;
        case '\\': out += '\\'; return true;
        case '/': out += '/'; return true;
        case 'b': out += '\b'; return true;
        case 'f': out += '\f'; return true;
        case 'n': out += '\n'; return true;
        case 'r': out += '\r'; return true;
        case 't': out += '\t'; return true;
        case 'u': {
            unsigned code = 0;
            if (!ParseHex4(code))
                return false;
            if (code >= 0xD800 && code < 0xDC00 && Consume("\\u")) {
                unsigned low = 0;
                if (!ParseHex4(low) || low < 0xDC00 || low > 0xDFFF)
                    return false;
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            }
            AppendUtf8(out, code);
            return true;
        }
        default:
            return false;
        }
    }

    bool ParseString(std::string& out)
    {
        ++m_pos; // opening quote
        while (m_pos < m_text.size()) {
            char c = m_text[m_pos++];
            if (c == '"')
                return true;
            if (c == '\\') {
                if (!ParseEscape(out))
                    return false;
            } else {
                out += c;
            }
        }
        return false;
    }

    bool ParseArray(JsonValue& value, int depth)
    {
        value.m_kind = Kind::Array;
        ++m_pos;
        SkipSpace();
        if (Consume("]"))
            return true;
        for (;;) {
            JsonValue item;
            if (!ParseValue(item, depth + 1))
                return false;
            value.m_items.push_back(std::move(item));
            SkipSpace();
            if (Consume("]"))
                return true;
            if (!Consume(","))
                return false;
        }
    }

    bool ParseObject(JsonValue& value, int depth)
    {
        value.m_kind = Kind::Object;
        ++m_pos;
        SkipSpace();
        if (Consume("}"))
            return true;
        for (;;) {
            SkipSpace();
            std::string name;
            if (m_pos >= m_text.size() || m_text[m_pos] != '"' || !ParseString(name))
                return false;
            SkipSpace();
            if (!Consume(":"))
                return false;
            JsonValue item;
            if (!ParseValue(item, depth + 1))
                return false;
            value.m_names.push_back(name);
            value.m_items.push_back(std::move(item));
            SkipSpace();
            if (Consume("}"))
                return true;
            if (!Consume(","))
                return false;
        }
    }

    const std::string& m_text;
    size_t m_pos = 0;
};

JsonValue JsonValue::MakeString(const std::string& text)
{
    JsonValue value;
    value.m_kind = Kind::String;
    value.m_text = text;
    return value;
}

JsonValue JsonValue::MakeArray()
{
    JsonValue value;
    value.m_kind = Kind::Array;
    return value;
}

bool JsonValue::Parse(const std::string& text, JsonValue& value)
{
    value = JsonValue();
    Parser parser(text);
    if (parser.ParseDocument(value))
        return true;
    value = JsonValue();
    return false;
}

const JsonValue* JsonValue::Member(const std::string& name) const
{
    if (m_kind != Kind::Object)
        return nullptr;
    for (size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i] == name)
            return &m_items[i];
    return nullptr;
}

namespace {

std::string QuoteJson(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if ((unsigned char)c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", (unsigned char)c);
                out += escape;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string NumberText(double number)
{
    char text[32];
    if (std::floor(number) == number && std::fabs(number) < 1e15)
        std::snprintf(text, sizeof text, "%.0f", number);
    else
        std::snprintf(text, sizeof text, "%.17g", number);
    return text;
}

} // namespace

std::string JsonValue::Serialise() const
{
    switch (m_kind) {
    case Kind::Null: return "null";
    case Kind::Bool: return m_bool ? "true" : "false";
    case Kind::Number: return NumberText(m_number);
    case Kind::String: return QuoteJson(m_text);
    case Kind::Array: {
        std::string out = "[";
        for (size_t i = 0; i < m_items.size(); ++i)
            out += (i ? "," : "") + m_items[i].Serialise();
        return out + "]";
    }
    case Kind::Object: {
        std::string out = "{";
        for (size_t i = 0; i < m_items.size(); ++i)
            out += (i ? "," : "") + QuoteJson(m_names[i]) + ":" + m_items[i].Serialise();
        return out + "}";
    }
    }
    return "null";
}

bool JsonValue::operator==(const JsonValue& other) const
{
    if (m_kind != other.m_kind)
        return false;
    switch (m_kind) {
    case Kind::Null: return true;
    case Kind::Bool: return m_bool == other.m_bool;
    case Kind::Number: return m_number == other.m_number;
    case Kind::String: return m_text == other.m_text;
    case Kind::Array: return m_items == other.m_items;
    case Kind::Object:
        if (m_items.size() != other.m_items.size())
            return false;
        for (size_t i = 0; i < m_names.size(); ++i) {
            const JsonValue* match = other.Member(m_names[i]);
            if (!match || *match != m_items[i])
                return false;
        }
        return true;
    }
    return false;
}

} // namespace standin
