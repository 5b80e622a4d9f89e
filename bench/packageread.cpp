// bench_package SAMPLES MEGABYTES REPS
// Reading a package from a file, then inflating its compressed image block
// and deciphering its enciphered movie, each against the floor of the same
// bytes: zlib's inflate alone, and OpenSSL's Blowfish CBC alone.

#include "cpackage.h"
#include "cpackageform.h"
#include "moviecipher.h"
#include "moviecipherwriter.h"
#include "opensslkey.h"
#include "packageconstants.h"
#include "packagereader.h"
#include "packagetestsupport.h"
#include "packagewriter.h"
#include "samplefile.h"
#include "scrambling.h"

#include <openssl/evp.h>
#include <openssl/rsa.h>
#include <openssl/provider.h>
#include <zlib.h>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

const int kRsaBits = 1024;
// Runs timed together as one sample: a single run of 10 MB lasts tens of
// milliseconds, in which one scheduler hiccup moves the figure by a tenth.
const int kRunsPerSample = 5;
const char kPackagePath[] = "bench-package.bin";

// Image-like bytes that deflate to about a third: runs of a few values.
ByteVector ImageBytes(size_t length)
{
    ByteVector bytes(length);
    uint32_t state = 12345;
    for (size_t index = 0; index < length;) {
        state = state * 1103515245u + 12345u;
        const size_t run = 1 + (state >> 28);
        const unsigned char value = static_cast<unsigned char>((state >> 16) & 0x3F);
        for (size_t step = 0; step < run && index < length; ++step)
            bytes[index++] = value;
    }
    return bytes;
}

ByteVector RandomBytes(size_t length)
{
    ByteVector bytes(length);
    uint32_t state = 987654321;
    for (unsigned char& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<unsigned char>(state >> 24);
    }
    return bytes;
}

bool WriteFile(const ByteVector& bytes)
{
    std::FILE* file = std::fopen(kPackagePath, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool ReadPackage(CPackage& package)
{
    std::FILE* file = std::fopen(kPackagePath, "rb");
    if (!file)
        return false;
    PackageReader reader(file, true);
    return package.Read(reader);
}

double Seconds(int64_t startNs)
{
    return double(SteadyNowNs() - startNs) / 1e9;
}

// The package road: the file read, then the image expanded.
double OursBlockSeconds()
{
    const int64_t start = SteadyNowNs();
    CPackage package;
    std::unique_ptr<unsigned char[]> image;
    int32_t length = 0;
    if (!ReadPackage(package) || !package.GetSplashImage(image, length))
        return -1;
    return Seconds(start);
}

double OursMovieSeconds()
{
    const int64_t start = SteadyNowNs();
    CPackage package;
    std::unique_ptr<unsigned char[]> movie;
    int32_t length = 0;
    if (!ReadPackage(package) || package.Forms().empty() || !package.Forms()[0]->GetMovie(length, movie))
        return -1;
    return Seconds(start);
}

// zlib alone: the plain stream inflated into a new buffer.
double FloorInflateSeconds(const ByteVector& stream, size_t expanded)
{
    const int64_t start = SteadyNowNs();
    std::unique_ptr<unsigned char[]> out(new unsigned char[expanded]);
    uLongf produced = static_cast<uLongf>(expanded);
    if (uncompress(out.get(), &produced, stream.data(), static_cast<uLong>(stream.size())) != Z_OK)
        return -1;
    return Seconds(start);
}

// OpenSSL alone: Blowfish CBC over the stored bytes into a new buffer.
double FloorBlowfishSeconds(const ByteVector& stored)
{
    const unsigned char key[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const unsigned char iv[8] = {0};
    const size_t length = stored.size() / 8 * 8;
    const int64_t start = SteadyNowNs();
    std::unique_ptr<unsigned char[]> out(new unsigned char[length + 8]);
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    int written = 0;
    const bool done = context && EVP_DecryptInit_ex(context, EVP_bf_cbc(), nullptr, nullptr, nullptr) == 1 &&
                      EVP_CIPHER_CTX_set_key_length(context, sizeof key) == 1 &&
                      EVP_DecryptInit_ex(context, nullptr, nullptr, key, iv) == 1 &&
                      EVP_CIPHER_CTX_set_padding(context, 0) == 1 &&
                      EVP_DecryptUpdate(context, out.get(), &written, stored.data(), static_cast<int>(length)) == 1;
    EVP_CIPHER_CTX_free(context);
    return done ? Seconds(start) : -1;
}

// The movie's chunks deciphered on the calling thread alone.
double OursMovieOneThreadSeconds(const ByteVector& stored, const std::string& pem)
{
    const int64_t start = SteadyNowNs();
    std::unique_ptr<unsigned char[]> movie;
    if (!MovieCipher::Decipher(stored.data(), static_cast<int32_t>(stored.size()),
                               reinterpret_cast<const unsigned char*>(pem.data()), pem.size(), movie, 1))
        return -1;
    return Seconds(start);
}

// OpenSSL alone doing the cipher work the format asks for, on one thread:
// RSA-OAEP for every RSA chunk, Blowfish CBC over each run of chunks between
// them.
double FloorMovieCipherSeconds(const ByteVector& stored, EVP_PKEY* key)
{
    const unsigned char blowfishKey[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    const unsigned char iv[8] = {0};
    const size_t chunkSize = static_cast<size_t>(EVP_PKEY_get_size(key));
    const size_t chunks = stored.size() / chunkSize;
    const size_t run = (MovieCipher::kRsaChunkInterval - 1) * chunkSize;
    const int64_t start = SteadyNowNs();
    std::unique_ptr<unsigned char[]> out(new unsigned char[stored.size() + 8]);
    PkeyContextPointer rsa(EVP_PKEY_CTX_new(key, nullptr));
    EVP_CIPHER_CTX* blowfish = EVP_CIPHER_CTX_new();
    bool done = rsa && blowfish && EVP_PKEY_decrypt_init(rsa.get()) > 0 &&
                EVP_PKEY_CTX_set_rsa_padding(rsa.get(), RSA_PKCS1_OAEP_PADDING) > 0 &&
                EVP_DecryptInit_ex(blowfish, EVP_bf_cbc(), nullptr, nullptr, nullptr) == 1 &&
                EVP_CIPHER_CTX_set_key_length(blowfish, sizeof blowfishKey) == 1 &&
                EVP_DecryptInit_ex(blowfish, nullptr, nullptr, blowfishKey, iv) == 1 &&
                EVP_CIPHER_CTX_set_padding(blowfish, 0) == 1;
    for (size_t k = 0; done && k < chunks; k += MovieCipher::kRsaChunkInterval) {
        const size_t offset = k * chunkSize;
        size_t written = chunkSize;
        done = EVP_PKEY_decrypt(rsa.get(), out.get() + offset, &written, stored.data() + offset, chunkSize) > 0;
        const size_t rest = std::min(run, (chunks - k - 1) * chunkSize);
        int blown = 0;
        done = done && EVP_DecryptUpdate(blowfish, out.get() + offset + chunkSize, &blown,
                                         stored.data() + offset + chunkSize, static_cast<int>(rest)) == 1;
    }
    EVP_CIPHER_CTX_free(blowfish);
    return done ? Seconds(start) : -1;
}

using TimedRun = std::function<double()>;

// A sample of kRunsPerSample runs that took `seconds` together.
void Report(SampleFile& samples, const char* key, double megabytes, double seconds)
{
    samples.Add(key, megabytes * kRunsPerSample / seconds);
}

// Both roads run once untimed (code, tables and the file's pages warm), then
// take turns run by run, leading in turn, so that a change in the machine's
// load falls on both alike and neither always runs on the other's leftovers.
bool Compare(SampleFile& samples, double megabytes, int reps, const char* oursKey, const TimedRun& ours,
             const char* floorKey, const TimedRun& floor)
{
    if (ours() <= 0 || floor() <= 0) {
        std::fprintf(stderr, "%s: the warm-up failed\n", oursKey);
        return false;
    }
    for (int rep = 0; rep < reps; ++rep) {
        double oursSeconds = 0;
        double floorSeconds = 0;
        for (int run = 0; run < kRunsPerSample; ++run) {
            const bool oursFirst = (rep + run) % 2 == 0;
            const double first = oursFirst ? ours() : floor();
            const double second = oursFirst ? floor() : ours();
            if (first <= 0 || second <= 0) {
                std::fprintf(stderr, "%s: a run failed\n", oursKey);
                return false;
            }
            oursSeconds += oursFirst ? first : second;
            floorSeconds += oursFirst ? second : first;
        }
        Report(samples, oursKey, megabytes, oursSeconds);
        Report(samples, floorKey, megabytes, floorSeconds);
    }
    return true;
}

int RunBlock(SampleFile& samples, size_t bytes, int reps)
{
    PackageContent content;
    content.splash.image = ImageBytes(bytes);
    PackageWriter writer;
    writer.WritePackage(content);
    CPackage package;
    if (!WriteFile(writer.Bytes()) || !ReadPackage(package) || !package.SplashBlock().Present())
        return 1;
    const CompressedBlock& block = package.SplashBlock();
    ByteVector stream(block.Bytes(), block.Bytes() + block.StoredLength());
    ScrambleRun(stream.data(), stream.size(), PackageConstants::kSplash);
    return Compare(samples, double(bytes) / 1e6, reps, "package_block_mbps", OursBlockSeconds,
                   "package_block_ref_mbps", [&] { return FloorInflateSeconds(stream, bytes); })
               ? 0
               : 1;
}

int RunMovie(SampleFile& samples, size_t bytes, int reps)
{
    const std::string pem = RsaKeyPem(kRsaBits);
    FormContent form;
    form.version = 12;
    form.settings.movieVersion = 11;
    form.keyBlock.assign(pem.begin(), pem.end());
    if (pem.empty() || !EncipherMovie(RandomBytes(bytes), pem, form.movie))
        return 1;
    PackageContent content;
    content.forms.push_back(form);
    PackageWriter writer;
    writer.WritePackage(content);
    if (!WriteFile(writer.Bytes()))
        return 1;
    const ByteVector& stored = form.movie;
    const double megabytes = double(stored.size()) / 1e6;
    const PkeyPointer key = ReadRsaPrivateKey(pem.data(), pem.size());
    return key &&
                   Compare(samples, megabytes, reps, "package_movie_mbps", OursMovieSeconds,
                           "package_movie_ref_mbps", [&] { return FloorBlowfishSeconds(stored); }) &&
                   Compare(samples, megabytes, reps, "package_movie_1t_mbps",
                           [&] { return OursMovieOneThreadSeconds(stored, pem); }, "package_movie_1t_ref_mbps",
                           [&] { return FloorMovieCipherSeconds(stored, key.get()); })
               ? 0
               : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_package SAMPLES MEGABYTES REPS\n");
        return 2;
    }
    SampleFile samples(argv[1]);
    const size_t bytes = static_cast<size_t>(std::atof(argv[2]) * 1024 * 1024);
    const int reps = std::atoi(argv[3]);
    if (!samples.IsOpen() || bytes == 0 || reps <= 0) {
        std::fprintf(stderr, "bench_package: bad arguments\n");
        return 2;
    }
    // Every large buffer gets fresh pages, as large allocations do on Windows:
    // otherwise a buffer's cost would hang on what the last run freed.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    // Blowfish lives in OpenSSL's legacy provider.
    if (!OSSL_PROVIDER_load(nullptr, "legacy") || !OSSL_PROVIDER_load(nullptr, "default")) {
        std::fprintf(stderr, "bench_package: OpenSSL's legacy provider is missing\n");
        return 1;
    }
    const int result = RunBlock(samples, bytes, reps) || RunMovie(samples, bytes, reps);
    std::remove(kPackagePath);
    return result;
}
