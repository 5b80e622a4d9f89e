#include "cencryptedstring.h"

#include "packagereader.h"
#include "textcipher.h"
#include "utf16bytes.h"

#include <cstring>
#include <vector>

namespace {

const int32_t kStoredEnciphered = 1;
const size_t kBlockSize = 8;

} // namespace

CEncryptedString::~CEncryptedString() = default;

bool CEncryptedString::Read(PackageReader& reader)
{
    int32_t kind = 0;
    if (!reader.ReadInt32(kind))
        return false;
    if (kind != kStoredEnciphered) {
        std::wstring text;
        if (!reader.ReadString(text))
            return false;
        SetText(text);
        return true;
    }
    int32_t length = 0;
    if (!reader.ReadInt32(length))
        return false;
    if (length <= 0)
        return true;
    if (!reader.ReadOwnedBytes(length, m_bytes))
        return false;
    m_length = length;
    return true;
}

std::wstring CEncryptedString::GetText() const
{
    if (!m_bytes || m_length <= 0 || static_cast<size_t>(m_length) % kBlockSize != 0)
        return std::wstring();
    std::vector<unsigned char> plain(m_bytes.get(), m_bytes.get() + m_length);
    TextCipherContext::Decipher(plain.data(), plain.size());
    return Utf16BytesToWide(plain.data(), plain.size());
}

void CEncryptedString::SetText(const std::wstring& text)
{
    if (text.empty())
        return;
    std::vector<unsigned char> units = WideToUtf16Bytes(text);
    units.push_back(0);
    units.push_back(0);
    const size_t size = (units.size() + kBlockSize - 1) / kBlockSize * kBlockSize;
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[size]());
    std::memcpy(bytes.get(), units.data(), units.size());
    TextCipherContext::Encipher(bytes.get(), size);
    m_bytes = std::move(bytes);
    m_length = static_cast<int32_t>(size);
}
