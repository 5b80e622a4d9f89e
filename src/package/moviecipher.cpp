#include "moviecipher.h"

#include "opensslkey.h"

#include "base64.h"
#include "blowfish.h"

#include <openssl/evp.h>
#include <openssl/rsa.h>

#include <cstring>
#include <new>
#include <string>

namespace MovieCipher {

namespace {

// Writes the chunk's plain text (at most `size` bytes) to out; false when it
// does not decrypt.
bool RsaDecryptChunk(EVP_PKEY* key, const unsigned char* chunk, size_t size, unsigned char* out,
                     size_t& written)
{
    PkeyContextPointer context(EVP_PKEY_CTX_new(key, nullptr));
    if (!context || EVP_PKEY_decrypt_init(context.get()) <= 0
        || EVP_PKEY_CTX_set_rsa_padding(context.get(), RSA_PKCS1_OAEP_PADDING) <= 0)
        return false;
    written = size;
    return EVP_PKEY_decrypt(context.get(), out, &written, chunk, size) > 0;
}

// Writes the chunk's plain text to out: all `size` bytes, of which the
// first size - kChunkOverhead count.
void BlowfishDecryptChunk(const Tev::Encryption::Blowfish& cipher, const unsigned char* chunk,
                          size_t size, unsigned char* out)
{
    std::memcpy(out, chunk, size);
    for (size_t offset = 0; offset < size; offset += 8)
        cipher.DecryptBlock(out + offset);
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

    // The Base64 text is gathered in the result array itself (no chunk gives
    // more than its own size) and decoded there in place; every byte of the
    // array is then written once more, with the movie and the zeros after it.
    const size_t length = static_cast<size_t>(storedLength);
    std::unique_ptr<unsigned char[]> result(new (std::nothrow) unsigned char[length]);
    if (!result)
        return false;
    const size_t chunkSize = static_cast<size_t>(modulusBytes);
    const size_t chunks = length / chunkSize;
    size_t textLength = 0;
    for (size_t k = 0; k < chunks; ++k) {
        const unsigned char* chunk = stored + k * chunkSize;
        unsigned char* out = result.get() + textLength;
        if (k % kRsaChunkInterval == 0) {
            size_t written = 0;
            if (!RsaDecryptChunk(rsaKey.get(), chunk, chunkSize, out, written))
                return false;
            textLength += written;
        } else {
            BlowfishDecryptChunk(blowfish, chunk, chunkSize, out);
            textLength += chunkSize - kChunkOverhead;
        }
    }

    const size_t decoded = Base64DecodeTo(reinterpret_cast<const char*>(result.get()), textLength, result.get());
    std::memset(result.get() + decoded, 0, length - decoded);
    movie = std::move(result);
    return true;
}

} // namespace MovieCipher
