#include "base64.h"

#include <cstdint>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The value of every byte as a digit: 0 for characters outside the alphabet.
struct DigitTable {
    constexpr DigitTable()
    {
        for (uint32_t value = 0; value < 64; ++value)
            values[static_cast<unsigned char>(kAlphabet[value])] = static_cast<unsigned char>(value);
    }
    unsigned char values[256] = {};
};

constexpr DigitTable kDigits;

uint32_t DigitValue(char c)
{
    return kDigits.values[static_cast<unsigned char>(c)];
}

} // namespace

std::string Base64Encode(const unsigned char* data, size_t length)
{
    std::string text(Base64EncodedLength(length), '\0');
    Base64EncodeTo(data, length, &text[0]);
    return text;
}

void Base64EncodeTo(const unsigned char* data, size_t length, char* out)
{
    size_t i = 0;
    for (; i + 3 <= length; i += 3) {
        const uint32_t group = static_cast<uint32_t>(data[i]) << 16 | static_cast<uint32_t>(data[i + 1]) << 8 |
                               data[i + 2];
        *out++ = kAlphabet[group >> 18];
        *out++ = kAlphabet[(group >> 12) & 63];
        *out++ = kAlphabet[(group >> 6) & 63];
        *out++ = kAlphabet[group & 63];
    }
    if (i == length)
        return;
    // One or two bytes left: the group ends in padding.
    const bool two = length - i == 2;
    const uint32_t group = static_cast<uint32_t>(data[i]) << 16 | (two ? static_cast<uint32_t>(data[i + 1]) << 8 : 0);
    *out++ = kAlphabet[group >> 18];
    *out++ = kAlphabet[(group >> 12) & 63];
    *out++ = two ? kAlphabet[(group >> 6) & 63] : '=';
    *out = '=';
}

size_t Base64DecodeTo(const char* text, size_t length, unsigned char* out)
{
    unsigned char* const begin = out;
    // Whole groups of four digits without padding need no checks; the group
    // with padding, or the short last one, ends the text. Each group is read
    // whole before its bytes are written, so out may be the text itself.
    size_t i = 0;
    for (; i + 4 <= length && text[i + 2] != '=' && text[i + 3] != '='; i += 4) {
        const uint32_t group = DigitValue(text[i]) << 18 | DigitValue(text[i + 1]) << 12 |
                               DigitValue(text[i + 2]) << 6 | DigitValue(text[i + 3]);
        *out++ = static_cast<unsigned char>(group >> 16);
        *out++ = static_cast<unsigned char>(group >> 8);
        *out++ = static_cast<unsigned char>(group);
    }
    if (i + 1 < length) {
        // Characters present in this group before any padding.
        size_t digits = length - i < 4 ? length - i : 4;
        if (digits > 2 && text[i + 2] == '=')
            digits = 2;
        else if (digits > 3 && text[i + 3] == '=')
            digits = 3;
        uint32_t group = 0;
        for (size_t d = 0; d < 4; ++d)
            group = group << 6 | (d < digits ? DigitValue(text[i + d]) : 0);
        *out++ = static_cast<unsigned char>(group >> 16);
        if (digits > 2)
            *out++ = static_cast<unsigned char>(group >> 8);
        if (digits > 3)
            *out++ = static_cast<unsigned char>(group);
    }
    return static_cast<size_t>(out - begin);
}

std::vector<unsigned char> Base64Decode(const std::string& text)
{
    std::vector<unsigned char> bytes(Base64DecodedBound(text.size()));
    bytes.resize(Base64DecodeTo(text.data(), text.size(), bytes.data()));
    return bytes;
}
