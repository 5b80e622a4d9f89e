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
#include <system_error>
#include <thread>
#include <vector>

namespace MovieCipher {

namespace {

// A worker gets at least this many chunks (eight RSA chunks among them):
// fewer would not pay for starting a thread.
const size_t kLeastChunksPerWorker = 8 * kRsaChunkInterval;
const size_t kMostWorkers = 8;

PkeyContextPointer NewOaepContext(EVP_PKEY* key)
{
    PkeyContextPointer context(EVP_PKEY_CTX_new(key, nullptr));
    if (!context || EVP_PKEY_decrypt_init(context.get()) <= 0
        || EVP_PKEY_CTX_set_rsa_padding(context.get(), RSA_PKCS1_OAEP_PADDING) <= 0)
        return nullptr;
    return context;
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

// The stored chunks and where their plain texts go: chunk k to slot k of
// `slots` (at k * size), its count of kept bytes to kept[k].
struct ChunkWork {
    EVP_PKEY* key;
    const Tev::Encryption::Blowfish* blowfish;
    const unsigned char* stored;
    unsigned char* slots;
    size_t size;
    size_t* kept;
};

// Deciphers chunks first to end - 1 into their slots; false when an RSA
// chunk does not decrypt. Only reads shared state, so ranges run at once on
// several threads; each range has its own RSA context.
bool DecipherRange(const ChunkWork& work, size_t first, size_t end)
{
    PkeyContextPointer context;
    for (size_t k = first; k < end; ++k) {
        const unsigned char* chunk = work.stored + k * work.size;
        unsigned char* out = work.slots + k * work.size;
        if (k % kRsaChunkInterval != 0) {
            BlowfishDecryptChunk(*work.blowfish, chunk, work.size, out);
            work.kept[k] = work.size - kChunkOverhead;
            continue;
        }
        if (!context && !(context = NewOaepContext(work.key)))
            return false;
        size_t written = work.size;
        if (EVP_PKEY_decrypt(context.get(), out, &written, chunk, work.size) <= 0)
            return false;
        work.kept[k] = written;
    }
    return true;
}

size_t WorkerCount(size_t chunks, size_t requested)
{
    if (requested > 0)
        return std::max<size_t>(1, std::min(requested, chunks));
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return std::max<size_t>(1, std::min({cores, kMostWorkers, chunks / kLeastChunksPerWorker}));
}

// Splits the chunks into one contiguous range per worker; the calling
// thread takes the first. A thread that cannot be started leaves its range
// to the calling thread.
bool DecipherChunks(const ChunkWork& work, size_t chunks, size_t workers)
{
    std::unique_ptr<bool[]> succeeded(new bool[workers]());
    std::vector<std::thread> threads;
    for (size_t w = 1; w < workers; ++w) {
        const size_t first = chunks * w / workers;
        const size_t end = chunks * (w + 1) / workers;
        bool& result = succeeded[w];
        try {
            threads.emplace_back([&work, &result, first, end] { result = DecipherRange(work, first, end); });
        } catch (const std::system_error&) {
            result = DecipherRange(work, first, end);
        }
    }
    succeeded[0] = DecipherRange(work, 0, chunks / workers);
    for (std::thread& thread : threads)
        thread.join();
    return std::all_of(succeeded.get(), succeeded.get() + workers, [](bool result) { return result; });
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
              std::unique_ptr<unsigned char[]>& movie, size_t workers)
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

    // Each chunk is deciphered into its own slot of the result array (no
    // chunk gives more than its own size); the kept bytes are then moved
    // together into the Base64 text, which is decoded there in place. Every
    // byte of the array is then written once more, with the movie and the
    // zeros after it.
    const size_t length = static_cast<size_t>(storedLength);
    const size_t chunkSize = static_cast<size_t>(modulusBytes);
    const size_t chunks = length / chunkSize;
    std::unique_ptr<unsigned char[]> result(new (std::nothrow) unsigned char[length]);
    std::unique_ptr<size_t[]> kept(new (std::nothrow) size_t[chunks]);
    if (!result || !kept)
        return false;
    const ChunkWork work = {rsaKey.get(), &blowfish, stored, result.get(), chunkSize, kept.get()};
    if (!DecipherChunks(work, chunks, WorkerCount(chunks, workers)))
        return false;
    size_t textLength = 0;
    for (size_t k = 0; k < chunks; ++k) {
        // The text never runs ahead of the slots, so moving down is safe.
        std::memmove(result.get() + textLength, result.get() + k * chunkSize, kept[k]);
        textLength += kept[k];
    }

    const size_t decoded = Base64DecodeTo(reinterpret_cast<const char*>(result.get()), textLength, result.get());
    std::memset(result.get() + decoded, 0, length - decoded);
    movie = std::move(result);
    return true;
}

} // namespace MovieCipher
