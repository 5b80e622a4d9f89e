#include "moviecipher.h"

#include "opensslkey.h"

#include "base64.h"
#include "blowfish.h"

#include <openssl/evp.h>
#include <openssl/rsa.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace MovieCipher {

namespace {

bool RsaDecryptChunk(EVP_PKEY* key, const unsigned char* chunk, size_t size, std::string& text)
{
    PkeyContextPointer context(EVP_PKEY_CTX_new(key, nullptr));
    if (!context || EVP_PKEY_decrypt_init(context.get()) <= 0
        || EVP_PKEY_CTX_set_rsa_padding(context.get(), RSA_PKCS1_OAEP_PADDING) <= 0)
        return false;
    size_t plainLength = 0;
    if (EVP_PKEY_decrypt(context.get(), nullptr, &plainLength, chunk, size) <= 0)
        return false;
    std::vector<unsigned char> plain(plainLength);
    if (EVP_PKEY_decrypt(context.get(), plain.data(), &plainLength, chunk, size) <= 0)
        return false;
    text.append(reinterpret_cast<const char*>(plain.data()), plainLength);
    return true;
}

void BlowfishDecryptChunk(const Tev::Encryption::Blowfish& cipher, const unsigned char* chunk,
                          size_t size, std::string& text)
{
    std::vector<unsigned char> plain(chunk, chunk + size);
    for (size_t offset = 0; offset < size; offset += 8)
        cipher.DecryptBlock(plain.data() + offset);
    text.append(reinterpret_cast<const char*>(plain.data()), size - kChunkOverhead);
}

} // namespace

std::string BlowfishKeyFromKeyBlock(const unsigned char* keyBlock, size_t length)
{
    if (length < kKeyBlockMinimum)
        return std::string();
    const char* start = reinterpret_cast<const char*>(keyBlock + kBlowfishKeyOffset);
    const std::string key(start, kBlowfishKeyMaximum);
    return key.substr(0, key.find('\0'));
}

bool Decipher(const unsigned char* stored, int32_t storedLength,
              const unsigned char* keyBlock, size_t keyBlockLength,
              std::unique_ptr<unsigned char[]>& movie)
{
    if (storedLength < 0 || keyBlockLength < kKeyBlockMinimum)
        return false;
    PkeyPointer rsaKey = ReadRsaPrivateKey(keyBlock, keyBlockLength);
    Tev::Encryption::Blowfish blowfish;
    if (!rsaKey || !blowfish.SetKey(BlowfishKeyFromKeyBlock(keyBlock, keyBlockLength)))
        return false;
    const int modulusBytes = EVP_PKEY_get_size(rsaKey.get());
    if (modulusBytes <= static_cast<int>(kChunkOverhead) || modulusBytes % 8 != 0)
        return false;

    const size_t chunkSize = static_cast<size_t>(modulusBytes);
    const size_t chunks = static_cast<size_t>(storedLength) / chunkSize;
    std::string text;
    text.reserve(static_cast<size_t>(storedLength));
    for (size_t k = 0; k < chunks; ++k) {
        const unsigned char* chunk = stored + k * chunkSize;
        if (k % kRsaChunkInterval == 0) {
            if (!RsaDecryptChunk(rsaKey.get(), chunk, chunkSize, text))
                return false;
        } else {
            BlowfishDecryptChunk(blowfish, chunk, chunkSize, text);
        }
    }

    const std::vector<unsigned char> decoded = Base64Decode(text);
    std::unique_ptr<unsigned char[]> result(new (std::nothrow) unsigned char[static_cast<size_t>(storedLength)]());
    if (!result)
        return false;
    if (!decoded.empty())
        std::memcpy(result.get(), decoded.data(), std::min(decoded.size(), static_cast<size_t>(storedLength)));
    movie = std::move(result);
    return true;
}

} // namespace MovieCipher
