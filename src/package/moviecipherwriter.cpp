#include "moviecipherwriter.h"

#include "opensslkey.h"

#include "base64.h"
#include "blowfish.h"
#include "moviecipher.h"

#include <openssl/evp.h>
#include <openssl/rsa.h>

#include <memory>

namespace {

bool RsaEncryptPiece(EVP_PKEY* key, const std::string& piece, ByteVector& stored)
{
    PkeyContextPointer context(EVP_PKEY_CTX_new(key, nullptr));
    size_t size = 0;
    if (!context || EVP_PKEY_encrypt_init(context.get()) <= 0
        || EVP_PKEY_CTX_set_rsa_padding(context.get(), RSA_PKCS1_OAEP_PADDING) <= 0
        || EVP_PKEY_encrypt(context.get(), nullptr, &size,
                            reinterpret_cast<const unsigned char*>(piece.data()), piece.size()) <= 0)
        return false;
    ByteVector chunk(size);
    if (EVP_PKEY_encrypt(context.get(), chunk.data(), &size,
                         reinterpret_cast<const unsigned char*>(piece.data()), piece.size()) <= 0)
        return false;
    stored.insert(stored.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(size));
    return true;
}

void BlowfishEncryptPiece(const Tev::Encryption::Blowfish& cipher, const std::string& piece, size_t chunkSize,
                          size_t chunkIndex, ByteVector& stored)
{
    ByteVector chunk(piece.begin(), piece.end());
    // Filler that differs from chunk to chunk; the reader drops it.
    for (size_t i = chunk.size(); i < chunkSize; ++i)
        chunk.push_back(static_cast<unsigned char>(chunkIndex * 7 + i));
    for (size_t offset = 0; offset < chunkSize; offset += 8)
        cipher.EncryptBlock(chunk.data() + offset);
    stored.insert(stored.end(), chunk.begin(), chunk.end());
}

} // namespace

bool EncipherMovie(const ByteVector& movie, const std::string& pemKey, ByteVector& stored, int corruptChunk)
{
    const PkeyPointer key = ReadRsaPrivateKey(pemKey.data(), pemKey.size());
    Tev::Encryption::Blowfish blowfish;
    if (!key || !blowfish.SetKey(MovieCipher::BlowfishKeyFromKeyBlock(
               reinterpret_cast<const unsigned char*>(pemKey.data()), pemKey.size())))
        return false;
    const int modulusBytes = EVP_PKEY_get_size(key.get());
    if (modulusBytes <= static_cast<int>(MovieCipher::kChunkOverhead) || modulusBytes % 8 != 0)
        return false;

    const size_t chunkSize = static_cast<size_t>(modulusBytes);
    const size_t pieceSize = chunkSize - MovieCipher::kChunkOverhead;
    const std::string text = Base64Encode(movie.data(), movie.size());
    stored.clear();
    for (size_t k = 0; k * pieceSize < text.size(); ++k) {
        std::string piece = text.substr(k * pieceSize, pieceSize);
        piece.resize(pieceSize, '=');
        if (k % MovieCipher::kRsaChunkInterval == 0) {
            if (!RsaEncryptPiece(key.get(), piece, stored))
                return false;
        } else {
            BlowfishEncryptPiece(blowfish, piece, chunkSize, k, stored);
        }
    }
    if (corruptChunk >= 0 && static_cast<size_t>(corruptChunk) * chunkSize < stored.size())
        stored[static_cast<size_t>(corruptChunk) * chunkSize + chunkSize / 2] ^= 0x5A;
    return true;
}
