#include "filetext.h"

#include "bytetext.h"
#include "textconv.h"
#include "textdecoding.h"
#include "wholefile.h"

#include <memory>
#include <vector>

namespace {

// UTF-8 with the line ends of a text-mode write.
std::string TextFileBytes(const std::wstring& text)
{
    const std::string utf8 = WideToUtf8(text);
    std::string bytes;
    bytes.reserve(utf8.size());
    for (const char c : utf8) {
        if (c == '\n')
            bytes.push_back('\r');
        bytes.push_back(c);
    }
    return bytes;
}

const unsigned char* Data(const std::string& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.data());
}

// What the transform makes of the file's bytes; an empty result when the
// file cannot be read.
template <class Result>
Result TransformFileBytes(const std::wstring& path, Result (*transform)(const unsigned char*, size_t))
{
    std::unique_ptr<unsigned char[]> bytes;
    long length = 0;
    if (!ReadWholeFile(path, bytes, length))
        return Result();
    return transform(bytes.get(), static_cast<size_t>(length));
}

} // namespace

std::wstring LoadFileText(const std::wstring& path)
{
    return TransformFileBytes(path, DecodeTextBytes);
}

bool SaveFileText(const std::wstring& path, const std::wstring& text)
{
    const std::string bytes = TextFileBytes(text);
    return WriteWholeFile(path, Data(bytes), static_cast<long>(bytes.size()));
}

bool AppendFileText(const std::wstring& path, const std::wstring& text)
{
    const std::string bytes = TextFileBytes(text);
    return AppendFileBytes(path, Data(bytes), static_cast<long>(bytes.size()));
}

std::string LoadFileHex(const std::wstring& path)
{
    return TransformFileBytes(path, FormatHexBytes);
}

bool SaveFileHex(const std::wstring& path, const std::wstring& byteText)
{
    std::vector<unsigned char> bytes;
    if (!ParseFileByteText(byteText, bytes))
        return false;
    return WriteWholeFile(path, bytes.data(), static_cast<long>(bytes.size()));
}
