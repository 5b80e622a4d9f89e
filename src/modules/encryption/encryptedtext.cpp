#include "encryptedtext.h"

#include "base64.h"
#include "encryption2.h"

#include <wx/string.h>

#include <vector>

namespace {

std::string UpToZero(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

bool IsBase64Digit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

} // namespace

bool EncryptedText::Encrypt(const std::string& key, const std::string& text, std::string& base64)
{
    const std::string plain = UpToZero(text);
    Encryption2 cipher; // forgets the key when it goes
    if (plain.empty() || !cipher.SetKey(key))
        return false;
    std::vector<unsigned char> blocks(plain.begin(), plain.end());
    blocks.resize(plain.size() / Encryption2::kBlockSize * Encryption2::kBlockSize + Encryption2::kBlockSize, 0);
    if (cipher.Encrypt(static_cast<int32_t>(blocks.size()), blocks.data()) != 0)
        return false;
    base64 = Base64Encode(blocks.data(), blocks.size());
    return true;
}

bool EncryptedText::Decrypt(const std::string& key, const std::string& base64, std::string& text)
{
    Encryption2 cipher; // forgets the key when it goes
    if (base64.empty() || !IsStrictBase64(base64) || !cipher.SetKey(key))
        return false;
    std::vector<unsigned char> blocks = Base64Decode(base64);
    if (blocks.empty() || blocks.size() % Encryption2::kBlockSize != 0)
        return false;
    if (cipher.Decrypt(static_cast<int32_t>(blocks.size()), blocks.data()) != 0)
        return false;
    const std::string plain = UpToZero(std::string(blocks.begin(), blocks.end()));
    // Strict decoding: any invalid sequence gives the empty text.
    if (wxString::FromUTF8(plain.data(), plain.size()).empty())
        return false;
    text = plain;
    return true;
}

bool EncryptedText::IsStrictBase64(const std::string& text)
{
    if (text.size() % 4 != 0)
        return false;
    const size_t digits = text.find_last_not_of('=') + 1;
    if (text.size() - digits > 2)
        return false;
    for (size_t i = 0; i < digits; ++i) {
        if (!IsBase64Digit(text[i]))
            return false;
    }
    return true;
}
