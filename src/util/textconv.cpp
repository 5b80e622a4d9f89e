#include "textconv.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <new>

namespace {

const char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one code point at utf8[pos] and advances pos past it; a malformed
// sequence consumes its longest valid prefix (at least one byte).
char32_t DecodeOne(const std::string& utf8, size_t& pos)
{
    const unsigned char lead = static_cast<unsigned char>(utf8[pos++]);
    if (lead < 0x80)
        return lead;

    int extra;
    char32_t codePoint;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF) { extra = 1; codePoint = lead & 0x1F; minimum = 0x80; }
    else if (lead >= 0xE0 && lead <= 0xEF) { extra = 2; codePoint = lead & 0x0F; minimum = 0x800; }
    else if (lead >= 0xF0 && lead <= 0xF4) { extra = 3; codePoint = lead & 0x07; minimum = 0x10000; }
    else return kReplacement;

    for (int i = 0; i < extra; ++i) {
        if (pos >= utf8.size() || !IsContinuation(static_cast<unsigned char>(utf8[pos])))
            return kReplacement;
        const char32_t next = (codePoint << 6) | (static_cast<unsigned char>(utf8[pos]) & 0x3F);
        // Reject overlong forms, surrogates and values past U+10FFFF as soon
        // as the second byte shows them, so the following bytes stay text.
        if (i == 0) {
            const char32_t top = next << (6 * (extra - 1));
            if (top < minimum || top > 0x10FFFF || (top >= 0xD800 && top <= 0xDFFF))
                return kReplacement;
        }
        codePoint = next;
        ++pos;
    }
    return codePoint;
}

void AppendWide(std::wstring& out, char32_t codePoint)
{
    if (sizeof(wchar_t) == 2 && codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (codePoint >> 10));
        out += static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF));
    } else {
        out += static_cast<wchar_t>(codePoint);
    }
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// True when decoding changes nothing: no zero byte and no sequence that
// decodes to U+FFFD (a literal U+FFFD also counts: its round trip keeps it).
bool DecodesUnchanged(const std::string& utf8)
{
    for (size_t pos = 0; pos < utf8.size();) {
        const unsigned char byte = static_cast<unsigned char>(utf8[pos]);
        if (byte == 0)
            return false;
        if (byte < 0x80)
            ++pos;
        else if (DecodeOne(utf8, pos) == kReplacement)
            return false;
    }
    return true;
}

} // namespace

bool Utf8ToWide(const std::string& utf8, std::wstring& wide)
{
    if (utf8.empty())
        return true;
    const size_t length = std::min(utf8.find('\0'), utf8.size());
    std::wstring decoded;
    decoded.reserve(length);
    // A zero byte is no continuation byte: no sequence reaches past it.
    for (size_t pos = 0; pos < length;)
        AppendWide(decoded, DecodeOne(utf8, pos));
    wide.swap(decoded);
    return true;
}

std::wstring Utf8ToWide(const std::string& utf8)
{
    std::wstring wide;
    Utf8ToWide(utf8, wide);
    return wide;
}

std::wstring Utf8ToWide(const char* utf8)
{
    return utf8 ? Utf8ToWide(std::string(utf8)) : std::wstring();
}

std::string WideToUtf8(const std::wstring& wide)
{
    return WideToUtf8(wide.data(), wide.size());
}

std::string WideToUtf8(const wchar_t* wide, size_t length)
{
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        char32_t cp = static_cast<char32_t>(wide[i]);
        if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < length
            && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(wide[++i]) - 0xDC00);
        } else if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::string WellFormedUtf8(std::string utf8)
{
    return DecodesUnchanged(utf8) ? utf8 : WideToUtf8(Utf8ToWide(utf8));
}

std::unique_ptr<char[]> WideToMultiByte(const std::wstring& wide)
{
    const size_t length = std::wcstombs(nullptr, wide.c_str(), 0);
    if (length == static_cast<size_t>(-1))
        return nullptr;
    std::unique_ptr<char[]> out(new (std::nothrow) char[length + 1]);
    if (!out)
        return nullptr;
    std::wcstombs(out.get(), wide.c_str(), length + 1);
    out[length] = '\0';
    return out;
}

std::unique_ptr<wchar_t[]> MultiByteToWide(const char* multiByte)
{
    if (!multiByte)
        return nullptr;
    const size_t length = std::mbstowcs(nullptr, multiByte, 0);
    if (length == static_cast<size_t>(-1))
        return nullptr;
    std::unique_ptr<wchar_t[]> out(new (std::nothrow) wchar_t[length + 1]);
    if (!out)
        return nullptr;
    std::mbstowcs(out.get(), multiByte, length + 1);
    out[length] = L'\0';
    return out;
}
