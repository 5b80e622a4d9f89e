#include "bytetext.h"

#include "numbertext.h"
#include "splitstring.h"

#include <cstdint>
#include <initializer_list>

namespace {

const int32_t kLargestByte = 255;

bool IsByte(int32_t value)
{
    return value >= 0 && value <= kLargestByte;
}

bool HasSeparator(const std::wstring& text)
{
    return text.find(L'|') != std::wstring::npos;
}

// Reads the piece in the first of the bases that takes it whole; true when
// that value is a byte.
bool ReadByte(const std::wstring& piece, std::initializer_list<int> bases, unsigned char& byte)
{
    for (const int base : bases) {
        int32_t value = 0;
        if (ParseInt32(piece, value, base)) {
            byte = static_cast<unsigned char>(value);
            return IsByte(value);
        }
    }
    return false;
}

std::vector<std::wstring> FilePieces(const std::wstring& text)
{
    std::vector<std::wstring> pieces;
    if (HasSeparator(text)) {
        SplitByPipe(text, pieces);
        if (pieces.size() > 1 && pieces.back().empty())
            pieces.pop_back();
        return pieces;
    }
    for (size_t at = 0; at < text.size(); at += 2)
        pieces.push_back(text.substr(at, 2));
    return pieces;
}

bool AppendHexPairs(const std::wstring& text, std::vector<unsigned char>& bytes)
{
    for (size_t at = 0; at < text.size(); at += 2) {
        int32_t value = 0;
        if (at + 1 == text.size() || !ParseInt32(text.substr(at, 2), value, 16))
            return false;
        bytes.push_back(static_cast<unsigned char>(value & 0xFF));
    }
    return true;
}

bool AppendDecimalPieces(const std::wstring& text, std::vector<unsigned char>& bytes)
{
    std::vector<std::wstring> pieces;
    SplitByPipe(text, pieces);
    for (const std::wstring& piece : pieces) {
        unsigned char byte = 0;
        if (!ReadByte(piece, {10}, byte))
            return false;
        bytes.push_back(byte);
    }
    return true;
}

} // namespace

std::string FormatHexBytes(const unsigned char* bytes, size_t length)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(length * 2);
    for (size_t at = 0; at < length; ++at) {
        hex.push_back(kDigits[bytes[at] >> 4]);
        hex.push_back(kDigits[bytes[at] & 0x0F]);
    }
    return hex;
}

bool ParseFileByteText(const std::wstring& text, std::vector<unsigned char>& bytes)
{
    if (!HasSeparator(text) && text.size() % 2 != 0)
        return false;
    for (const std::wstring& piece : FilePieces(text)) {
        // Decimal first: a pair of decimal digits is a decimal number.
        unsigned char byte = 0;
        if (!ReadByte(piece, {10, 16}, byte))
            return false;
        bytes.push_back(byte);
    }
    return true;
}

bool AppendBufferByteText(const std::wstring& text, std::vector<unsigned char>& bytes)
{
    return HasSeparator(text) ? AppendDecimalPieces(text, bytes) : AppendHexPairs(text, bytes);
}
