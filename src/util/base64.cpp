#include "base64.h"

#include <cstdint>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

uint32_t DigitValue(char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<uint32_t>(c - 'A');
    if (c >= 'a' && c <= 'z')
        return static_cast<uint32_t>(c - 'a' + 26);
    if (c >= '0' && c <= '9')
        return static_cast<uint32_t>(c - '0' + 52);
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return 0;
}

} // namespace

std::string Base64Encode(const unsigned char* data, size_t length)
{
    std::string text;
    text.reserve((length + 2) / 3 * 4);
    for (size_t i = 0; i < length; i += 3) {
        const size_t take = length - i < 3 ? length - i : 3;
        uint32_t group = static_cast<uint32_t>(data[i]) << 16;
        if (take > 1)
            group |= static_cast<uint32_t>(data[i + 1]) << 8;
        if (take > 2)
            group |= data[i + 2];
        text += kAlphabet[(group >> 18) & 63];
        text += kAlphabet[(group >> 12) & 63];
        text += take > 1 ? kAlphabet[(group >> 6) & 63] : '=';
        text += take > 2 ? kAlphabet[group & 63] : '=';
    }
    return text;
}

std::vector<unsigned char> Base64Decode(const std::string& text)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(text.size() / 4 * 3 + 2);
    for (size_t i = 0; i + 1 < text.size(); i += 4) {
        // Characters present in this group before any padding.
        size_t digits = text.size() - i < 4 ? text.size() - i : 4;
        if (digits > 2 && text[i + 2] == '=')
            digits = 2;
        else if (digits > 3 && text[i + 3] == '=')
            digits = 3;
        uint32_t group = 0;
        for (size_t d = 0; d < 4; ++d)
            group = group << 6 | (d < digits ? DigitValue(text[i + d]) : 0);
        bytes.push_back(static_cast<unsigned char>(group >> 16));
        if (digits > 2)
            bytes.push_back(static_cast<unsigned char>(group >> 8));
        if (digits > 3)
            bytes.push_back(static_cast<unsigned char>(group));
        if (digits < 4)
            break;
    }
    return bytes;
}
