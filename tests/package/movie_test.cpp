#include "cpackage.h"
#include "cpackageform.h"
#include "moviecipher.h"
#include "moviecipherwriter.h"
#include "packageconstants.h"
#include "packagetestsupport.h"
#include "wholefile.h"

#include <gtest/gtest.h>
#include <openssl/ui.h>

#include <algorithm>

namespace {

// Reads a package holding the one form and returns the form's movie.
struct MovieResult {
    bool read = false;
    bool deciphered = false;
    ByteVector movie;
    int32_t version = -1;
};

MovieResult ReadMovie(const FormContent& form)
{
    PackageContent content;
    content.version = 1;
    content.forms = {form};
    CPackage package;
    MovieResult result;
    result.read = ReadPackageBytes(WritePackage(content), package);
    if (!result.read)
        return result;
    std::unique_ptr<unsigned char[]> bytes;
    int32_t length = -1;
    result.deciphered = package.Forms()[0]->GetMovie(length, bytes);
    if (result.deciphered)
        result.movie.assign(bytes.get(), bytes.get() + length);
    result.version = package.Forms()[0]->MovieVersion();
    return result;
}

FormContent EncipheredForm(const ByteVector& movie, int bits, int corruptChunk = -1)
{
    FormContent form;
    form.version = 12;
    form.settings.movieVersion = 11;
    const std::string& pem = RsaKeyPem(bits);
    EXPECT_TRUE(EncipherMovie(movie, pem, form.movie, corruptChunk));
    form.keyBlock.assign(pem.begin(), pem.end());
    return form;
}

TEST(PackageMovies, PlainMoviesAndTheirVersionByte)
{
    const struct {
        ByteVector movie;
        int32_t version;
    } cases[] = {{{'F', 'W', 'S', 9, 0, 0}, 9}, {{'C', 'W', 'S', 32}, 32}, {{'F', 'W', 'S'}, 0}, {{}, 0}};
    for (const auto& c : cases) {
        FormContent form;
        form.version = 1;
        form.movie = c.movie;
        const MovieResult result = ReadMovie(form);
        ASSERT_TRUE(result.read);
        ASSERT_TRUE(result.deciphered);
        EXPECT_EQ(c.movie, result.movie);
        EXPECT_EQ(c.version, result.version);
    }
}

TEST(PackageMovies, SecondMovieIsDescrambledAndAbsentOneFails)
{
    PackageContent content;
    content.forms = {FullForm(8), FullForm(8)};
    content.forms[1].secondMovie.clear();
    CPackage package;
    ASSERT_TRUE(ReadPackageBytes(WritePackage(content), package));
    std::unique_ptr<unsigned char[]> bytes;
    int32_t length = 0;
    ASSERT_TRUE(package.Forms()[0]->GetUnencryptedMovie(length, bytes));
    EXPECT_EQ(content.forms[0].secondMovie, ByteVector(bytes.get(), bytes.get() + length));
    EXPECT_FALSE(package.Forms()[1]->GetUnencryptedMovie(length, bytes));
    EXPECT_EQ(nullptr, bytes.get());
}

// The bytes of a block put together from pieces, as a stream reads them.
ByteVector DescrambledByPieces(const ByteBlock& block, size_t piece)
{
    ByteVector bytes(static_cast<size_t>(block.Length()));
    for (size_t offset = 0; offset < bytes.size(); offset += piece)
        block.CopyDescrambledRange(PackageConstants::kMovie, offset, std::min(piece, bytes.size() - offset),
                                   bytes.data() + offset);
    return bytes;
}

TEST(PackageMovies, PlainMovieBlockIsTheMovieThatPlaysAndReadsByPieces)
{
    PackageContent content;
    content.forms = {FullForm(12), FullForm(12), EncipheredForm(Pattern(3000, 6), 1024)};
    content.forms[0].movie = Pattern(70000, 7);
    content.forms[1].secondMovie.clear();
    content.forms[2].secondMovie = Pattern(500, 8);
    CPackage package;
    ASSERT_TRUE(ReadPackageBytes(WritePackage(content), package));
    const CPackageForm& plain = *package.Forms()[0];
    const CPackageForm& withoutSecond = *package.Forms()[1];
    const CPackageForm& enciphered = *package.Forms()[2];

    ASSERT_NE(nullptr, plain.PlainMovieBlock(false));
    for (size_t piece : {size_t(1), size_t(30720), size_t(70000)})
        EXPECT_EQ(content.forms[0].movie, DescrambledByPieces(*plain.PlainMovieBlock(false), piece)) << piece;
    EXPECT_EQ(content.forms[0].secondMovie, DescrambledByPieces(*plain.PlainMovieBlock(true), 333));
    EXPECT_EQ(withoutSecond.PlainMovieBlock(false), withoutSecond.PlainMovieBlock(true));
    EXPECT_EQ(nullptr, enciphered.PlainMovieBlock(false));
    ASSERT_NE(nullptr, enciphered.PlainMovieBlock(true));
    EXPECT_EQ(content.forms[2].secondMovie, DescrambledByPieces(*enciphered.PlainMovieBlock(true), 64));
}

TEST(PackageMovies, LoadMovieFileGivesTheFileBack)
{
    const ByteVector file = Pattern(333, 8);
    const std::wstring path = WriteScratchFile(file);
    CPackageForm form;
    ASSERT_TRUE(form.LoadMovieFile(path));
    std::unique_ptr<unsigned char[]> bytes;
    int32_t length = 0;
    ASSERT_TRUE(form.GetMovie(length, bytes));
    EXPECT_EQ(file, ByteVector(bytes.get(), bytes.get() + length));
    EXPECT_EQ(file[3], form.MovieVersion());
    EXPECT_FALSE(form.LoadMovieFile(path + L".missing"));
}

TEST(PackageMovies, EncipheredMoviesDecodeWith1024And2048BitKeys)
{
    for (int bits : {1024, 2048}) {
        for (size_t movieLength : {0u, 1u, 100u, 5000u, 40000u}) {
            SCOPED_TRACE(std::to_string(bits) + " bits, " + std::to_string(movieLength) + " bytes");
            const ByteVector movie = Pattern(movieLength, 21);
            const FormContent form = EncipheredForm(movie, bits);
            const MovieResult result = ReadMovie(form);
            ASSERT_TRUE(result.read);
            ASSERT_TRUE(result.deciphered);
            // The movie, then zeros up to the stored length.
            ASSERT_EQ(form.movie.size(), result.movie.size());
            EXPECT_EQ(movie, ByteVector(result.movie.begin(), result.movie.begin() + movieLength));
            EXPECT_EQ(ByteVector(result.movie.size() - movieLength, 0),
                      ByteVector(result.movie.begin() + movieLength, result.movie.end()));
            EXPECT_EQ(11, result.version);
        }
    }
}

TEST(PackageMovies, RsaChunksAreEveryFortyEighthFromZero)
{
    // 6450 bytes are 8600 Base64 characters: 100 chunks of 86 with a
    // 1024-bit key. Chunks 0, 48 and 96 are RSA: damage there fails the
    // movie; damage in a Blowfish chunk only spoils its text.
    const ByteVector movie = Pattern(6450, 5);
    ASSERT_EQ(100u * 128, EncipheredForm(movie, 1024).movie.size());
    const struct {
        int chunk;
        bool deciphers;
    } cases[] = {{0, false}, {48, false}, {96, false}, {1, true}, {47, true}, {95, true}, {99, true}};
    for (const auto& c : cases) {
        const MovieResult result = ReadMovie(EncipheredForm(movie, 1024, c.chunk));
        ASSERT_TRUE(result.read);
        EXPECT_EQ(c.deciphers, result.deciphered) << c.chunk;
        if (result.deciphered) {
            EXPECT_NE(movie, ByteVector(result.movie.begin(), result.movie.begin() + 6450)) << c.chunk;
        }
    }
}

// Many chunks split among worker threads: the movie comes out the same for
// every number of workers, and a damaged RSA chunk in any worker's range
// fails the whole movie.
TEST(PackageMovies, WorkerThreadsGiveTheSameMovieAndAnyBadRsaChunkFails)
{
    const ByteVector movie = Pattern(150000, 9);
    const std::string& pem = RsaKeyPem(1024);
    const auto decipher = [&](const ByteVector& stored, size_t workers, ByteVector& out) {
        std::unique_ptr<unsigned char[]> bytes;
        if (!MovieCipher::Decipher(stored.data(), static_cast<int32_t>(stored.size()),
                                   reinterpret_cast<const unsigned char*>(pem.data()), pem.size(), bytes, workers))
            return false;
        out.assign(bytes.get(), bytes.get() + stored.size());
        return true;
    };
    const ByteVector stored = EncipheredForm(movie, 1024).movie;
    ASSERT_GT(stored.size() / 128, 2300u);
    for (size_t workers : {size_t(1), size_t(3), size_t(4), size_t(8), size_t(0)}) {
        SCOPED_TRACE(workers);
        ByteVector out;
        ASSERT_TRUE(decipher(stored, workers, out));
        EXPECT_EQ(movie, ByteVector(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(movie.size())));
        EXPECT_EQ(ByteVector(out.size() - movie.size(), 0),
                  ByteVector(out.begin() + static_cast<std::ptrdiff_t>(movie.size()), out.end()));
    }
    // With four workers the ranges start near chunks 581, 1163 and 1744.
    for (int chunk : {0, 576, 1152, 1200, 1728, 2304}) {
        SCOPED_TRACE(chunk);
        ByteVector out;
        EXPECT_FALSE(decipher(EncipheredForm(movie, 1024, chunk).movie, 4, out));
    }
}

TEST(PackageMovies, BytesAfterTheLastWholeChunkAreIgnored)
{
    const ByteVector movie = Pattern(700, 2);
    FormContent form = EncipheredForm(movie, 1024);
    form.movie.insert(form.movie.end(), {1, 2, 3, 4, 5});
    const MovieResult result = ReadMovie(form);
    ASSERT_TRUE(result.deciphered);
    EXPECT_EQ(form.movie.size(), result.movie.size());
    EXPECT_EQ(movie, ByteVector(result.movie.begin(), result.movie.begin() + 700));
}

TEST(PackageMovies, UnusableKeyBlocksFail)
{
    const ByteVector movie = Pattern(500, 4);
    const FormContent sound = EncipheredForm(movie, 1024);
    const std::string& pem = RsaKeyPem(1024);

    FormContent shortBlock = sound;
    shortBlock.keyBlock.resize(79);
    FormContent notPem = sound;
    notPem.keyBlock = Pattern(900, 1);
    FormContent otherKey = sound;
    const std::string& otherPem = RsaKeyPem(2048);
    otherKey.keyBlock.assign(otherPem.begin(), otherPem.end());
    FormContent emptyBlowfishKey = sound;
    std::fill(emptyBlowfishKey.keyBlock.begin() + MovieCipher::kBlowfishKeyOffset,
              emptyBlowfishKey.keyBlock.begin() + MovieCipher::kBlowfishKeyOffset + 1, '\0');

    const struct {
        const char* label;
        FormContent form;
    } cases[] = {{"79-byte key block", shortBlock},
                 {"key block that is no key", notPem},
                 {"key of another size", otherKey},
                 {"key block whose Blowfish key is empty", emptyBlowfishKey}};
    for (const auto& c : cases) {
        const MovieResult result = ReadMovie(c.form);
        ASSERT_TRUE(result.read) << c.label;
        EXPECT_FALSE(result.deciphered) << c.label;
    }
    ASSERT_GT(pem.size(), MovieCipher::kKeyBlockMinimum);
}

// Stands in for the console prompt: counts the pass phrases asked for.
int g_passPhrasePrompts = 0;
int CountPrompt(UI*, UI_STRING*)
{
    ++g_passPhrasePrompts;
    return -1;
}

TEST(PackageMovies, EncipheredKeyBlockFailsWithoutAskingForAPassPhrase)
{
    FormContent form = EncipheredForm(Pattern(500, 4), 1024);
    const std::string enciphered = EncipheredPem(RsaKeyPem(1024), "secret");
    ASSERT_NE(std::string::npos, enciphered.find("ENCRYPTED"));
    form.keyBlock.assign(enciphered.begin(), enciphered.end());

    UI_METHOD* prompt = UI_create_method("counting prompt");
    UI_method_set_reader(prompt, CountPrompt);
    UI_set_default_method(prompt);
    g_passPhrasePrompts = 0;
    const MovieResult result = ReadMovie(form);
    UI_set_default_method(UI_OpenSSL());
    UI_destroy_method(prompt);

    ASSERT_TRUE(result.read);
    EXPECT_FALSE(result.deciphered);
    EXPECT_EQ(0, g_passPhrasePrompts);
}

} // namespace
