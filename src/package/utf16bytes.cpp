#include "utf16bytes.h"

#include <cstdint>

namespace {

void AppendUnit(std::vector<unsigned char>& out, uint32_t unit)
{
    out.push_back(static_cast<unsigned char>(unit & 0xFF));
    out.push_back(static_cast<unsigned char>(unit >> 8));
}

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

} // namespace

std::vector<unsigned char> WideToUtf16Bytes(const std::wstring& text)
{
    std::vector<unsigned char> out;
    out.reserve(2 * text.size());
    for (wchar_t c : text) {
        const uint32_t codePoint = static_cast<uint32_t>(c);
        if (codePoint >= 0x10000 && codePoint <= 0x10FFFF) {
            AppendUnit(out, 0xD800 + ((codePoint - 0x10000) >> 10));
            AppendUnit(out, 0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            AppendUnit(out, codePoint > 0xFFFF ? 0xFFFD : codePoint);
        }
    }
    return out;
}

std::wstring Utf16BytesToWide(const unsigned char* bytes, size_t length)
{
    std::wstring text;
    const size_t units = length / 2;
    for (size_t i = 0; i < units; ++i) {
        const uint32_t unit = bytes[2 * i] | static_cast<uint32_t>(bytes[2 * i + 1]) << 8;
        if (unit == 0)
            break;
        if (sizeof(wchar_t) > 2 && IsHighSurrogate(unit) && i + 1 < units) {
            const uint32_t next = bytes[2 * i + 2] | static_cast<uint32_t>(bytes[2 * i + 3]) << 8;
            if (IsLowSurrogate(next)) {
                text += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        text += static_cast<wchar_t>(unit);
    }
    return text;
}
