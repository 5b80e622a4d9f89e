#include "textcipher.h"

#include "packageconstants.h"
#include "sha384.h"

#include <openssl/crypto.h>

#include <string>

namespace {

const size_t kBlockSize = 8;

} // namespace

std::string TextCipherContext::BuildTextKey()
{
    const std::string phrase = PackageConstants::PassPhrase();
    std::string key = Sha384Hex(reinterpret_cast<const unsigned char*>(phrase.data()), phrase.size());
    key += '\0';
    return key;
}

void TextCipherContext::KeyCipher(BigEndianBlowfish& cipher)
{
    std::string key = BuildTextKey();
    cipher.SetKey(reinterpret_cast<const unsigned char*>(key.data()), key.size());
    OPENSSL_cleanse(&key[0], key.size());
}

bool TextCipherContext::Encipher(unsigned char* data, size_t length)
{
    if (!data || length % kBlockSize != 0)
        return false;
    BigEndianBlowfish cipher;
    KeyCipher(cipher);
    cipher.EncryptCbc(data, length);
    return true;
}

bool TextCipherContext::Decipher(unsigned char* data, size_t length)
{
    if (!data || length % kBlockSize != 0)
        return false;
    BigEndianBlowfish cipher;
    KeyCipher(cipher);
    cipher.DecryptCbc(data, length);
    return true;
}
