#include "textdecoding.h"

#include <cstdint>

namespace {

const char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::wstring& text, char32_t code)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = kReplacement;
    if (sizeof(wchar_t) == 2 && code > 0xFFFF) {
        code -= 0x10000;
        text.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
        text.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
        return;
    }
    text.push_back(static_cast<wchar_t>(code));
}

// Decodes strict UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF); false at the first malformed sequence.
bool DecodeUtf8(const unsigned char* bytes, size_t length, std::wstring& text)
{
    size_t at = 0;
    while (at < length) {
        const unsigned char lead = bytes[at];
        size_t count = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            code = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            count = 1, code = lead & 0x1F, minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            count = 2, code = lead & 0x0F, minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            count = 3, code = lead & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (length - at - 1 < count)
            return false;
        for (size_t i = 1; i <= count; ++i) {
            const unsigned char next = bytes[at + i];
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        AppendCodePoint(text, code);
        at += count + 1;
    }
    return true;
}

std::wstring DecodeLatin1(const unsigned char* bytes, size_t length)
{
    return std::wstring(bytes, bytes + length);
}

// UTF-16 in the given byte order; an unpaired surrogate becomes U+FFFD and a
// trailing odd byte is dropped.
std::wstring DecodeUtf16(const unsigned char* bytes, size_t length, bool bigEndian)
{
    std::wstring text;
    auto unitAt = [&](size_t at) -> char32_t {
        return bigEndian ? (bytes[at] << 8) | bytes[at + 1] : bytes[at] | (bytes[at + 1] << 8);
    };
    for (size_t at = 0; at + 1 < length; at += 2) {
        const char32_t unit = unitAt(at);
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 3 < length) {
            const char32_t low = unitAt(at + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendCodePoint(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        AppendCodePoint(text, unit);
    }
    return text;
}

std::wstring DecodeUtf32(const unsigned char* bytes, size_t length, bool bigEndian)
{
    std::wstring text;
    for (size_t at = 0; at + 3 < length; at += 4) {
        char32_t code = 0;
        for (size_t i = 0; i < 4; ++i)
            code |= static_cast<char32_t>(bytes[at + i]) << (bigEndian ? 8 * (3 - i) : 8 * i);
        AppendCodePoint(text, code);
    }
    return text;
}

bool StartsWith(const unsigned char* bytes, size_t length, const unsigned char* mark, size_t markLength)
{
    if (length < markLength)
        return false;
    for (size_t i = 0; i < markLength; ++i) {
        if (bytes[i] != mark[i])
            return false;
    }
    return true;
}

std::wstring DecodeByMark(const unsigned char* bytes, size_t length)
{
    static const unsigned char utf8[] = {0xEF, 0xBB, 0xBF};
    static const unsigned char utf32le[] = {0xFF, 0xFE, 0x00, 0x00};
    static const unsigned char utf32be[] = {0x00, 0x00, 0xFE, 0xFF};
    static const unsigned char utf16le[] = {0xFF, 0xFE};
    static const unsigned char utf16be[] = {0xFE, 0xFF};
    if (StartsWith(bytes, length, utf32le, 4))
        return DecodeUtf32(bytes + 4, length - 4, false);
    if (StartsWith(bytes, length, utf32be, 4))
        return DecodeUtf32(bytes + 4, length - 4, true);
    if (StartsWith(bytes, length, utf16le, 2))
        return DecodeUtf16(bytes + 2, length - 2, false);
    if (StartsWith(bytes, length, utf16be, 2))
        return DecodeUtf16(bytes + 2, length - 2, true);
    const size_t skipped = StartsWith(bytes, length, utf8, 3) ? 3 : 0;
    std::wstring text;
    if (DecodeUtf8(bytes + skipped, length - skipped, text))
        return text;
    return DecodeLatin1(bytes + skipped, length - skipped);
}

std::wstring JoinCrLf(const std::wstring& text)
{
    std::wstring joined;
    joined.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == L'\r' && at + 1 < text.size() && text[at + 1] == L'\n')
            continue;
        joined.push_back(text[at]);
    }
    return joined;
}

} // namespace

std::wstring DecodeTextBytes(const unsigned char* bytes, size_t length)
{
    if (bytes == nullptr || length == 0)
        return std::wstring();
    return JoinCrLf(DecodeByMark(bytes, length));
}

bool DecodeStrictUtf8(const unsigned char* bytes, size_t length, std::wstring& text)
{
    text.clear();
    if (DecodeUtf8(bytes, length, text))
        return true;
    text.clear();
    return false;
}
