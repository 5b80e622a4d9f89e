#define OPENSSL_SUPPRESS_DEPRECATED
#include "base64.h"
#include "blowfish.h"
#include "encryption2.h"
#include "packageconstants.h"
#include "scrambling.h"
#include "sha384.h"
#include "textcipher.h"

#include <gtest/gtest.h>
#include <openssl/blowfish.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes FromHex(const std::string& hex)
{
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string AsString(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

Bytes Pattern(size_t length, unsigned seed)
{
    Bytes bytes;
    for (size_t i = 0; i < length; ++i)
        bytes.push_back(static_cast<unsigned char>(seed + i * 13 + (i >> 3)));
    return bytes;
}

// Published single-block vectors (big-endian words).
struct BlowfishVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

const BlowfishVector kBlowfishVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
};

TEST(Encryption2, MatchesPublishedVectorsOnOneBlock)
{
    for (const BlowfishVector& vector : kBlowfishVectors) {
        SCOPED_TRACE(vector.key);
        Encryption2 cipher;
        // Keys with a zero byte cannot be key texts; the all-zero vector is
        // covered through OpenSSL below.
        const Bytes key = FromHex(vector.key);
        if (AsString(key).find('\0') != std::string::npos)
            continue;
        ASSERT_TRUE(cipher.SetKey(AsString(key)));
        Bytes block = FromHex(vector.plain);
        ASSERT_EQ(0, cipher.Encrypt(8, block.data()));
        EXPECT_EQ(FromHex(vector.cipher), block);
        ASSERT_EQ(0, cipher.Decrypt(8, block.data()));
        EXPECT_EQ(FromHex(vector.plain), block);
    }
}

TEST(Encryption2, CbcMatchesOpenSslWithZeroVectorAndRestartsEachCall)
{
    const std::string key = "a key of some length";
    const Bytes plain = Pattern(64, 3);
    Bytes expected = plain;
    BF_KEY schedule;
    BF_set_key(&schedule, static_cast<int>(key.size()), reinterpret_cast<const unsigned char*>(key.data()));
    unsigned char vector[8] = {};
    BF_cbc_encrypt(plain.data(), expected.data(), 64, &schedule, vector, BF_ENCRYPT);

    Encryption2 cipher;
    ASSERT_TRUE(cipher.SetKey(key));
    Bytes data = plain;
    ASSERT_EQ(0, cipher.Encrypt(64, data.data()));
    EXPECT_EQ(expected, data);
    // A second call starts from the zero vector again.
    Bytes again = plain;
    ASSERT_EQ(0, cipher.Encrypt(64, again.data()));
    EXPECT_EQ(expected, again);
    ASSERT_EQ(0, cipher.Decrypt(64, data.data()));
    EXPECT_EQ(plain, data);
}

TEST(Encryption2, RefusesBadKeysAndArguments)
{
    Encryption2 cipher;
    EXPECT_FALSE(cipher.SetKey(""));
    EXPECT_FALSE(cipher.SetKey(std::string("\0abc", 4)));
    EXPECT_FALSE(cipher.SetKey(std::string(57, 'k')));
    EXPECT_TRUE(cipher.SetKey(std::string(56, 'k')));
    // Counted to the first zero byte: the same key as "ab".
    Encryption2 other;
    ASSERT_TRUE(other.SetKey(std::string("ab\0cd", 5)));
    ASSERT_TRUE(cipher.SetKey("ab"));
    Bytes a = Pattern(8, 1), b = a;
    cipher.Encrypt(8, a.data());
    other.Encrypt(8, b.data());
    EXPECT_EQ(a, b);

    Bytes data = Pattern(12, 5);
    const Bytes before = data;
    EXPECT_EQ(-1, cipher.Encrypt(12, data.data()));
    EXPECT_EQ(-1, cipher.Decrypt(-8, data.data()));
    EXPECT_EQ(-4, cipher.Encrypt(8, nullptr));
    EXPECT_EQ(before, data);
    cipher.Reset();
    EXPECT_EQ(-2, cipher.Encrypt(8, data.data()));
    EXPECT_EQ(before, data);
}

TEST(LittleEndianBlowfish, EqualsOpenSslWithEachWordByteSwapped)
{
    const std::string key = "0123456789abcdefGHIJKLMNOPQRSTUV";
    BF_KEY schedule;
    BF_set_key(&schedule, static_cast<int>(key.size()), reinterpret_cast<const unsigned char*>(key.data()));
    Tev::Encryption::Blowfish cipher;
    ASSERT_TRUE(cipher.SetKey(key));

    for (unsigned seed = 0; seed < 4; ++seed) {
        const Bytes plain = Pattern(8, seed * 41);
        Bytes swapped = {plain[3], plain[2], plain[1], plain[0], plain[7], plain[6], plain[5], plain[4]};
        BF_ecb_encrypt(swapped.data(), swapped.data(), &schedule, BF_ENCRYPT);
        const Bytes expected = {swapped[3], swapped[2], swapped[1], swapped[0],
                                swapped[7], swapped[6], swapped[5], swapped[4]};
        Bytes block = plain;
        cipher.EncryptBlock(block.data());
        EXPECT_EQ(expected, block);
        cipher.DecryptBlock(block.data());
        EXPECT_EQ(plain, block);
    }
}

TEST(LittleEndianBlowfish, KeyEndsAtFirstZeroAndEmptyKeyIsRefused)
{
    Tev::Encryption::Blowfish full, cut;
    ASSERT_TRUE(full.SetKey("abc"));
    ASSERT_TRUE(cut.SetKey(std::string("abc\0def", 7)));
    Bytes a = Pattern(8, 9), b = a;
    full.EncryptBlock(a.data());
    cut.EncryptBlock(b.data());
    EXPECT_EQ(a, b);

    Tev::Encryption::Blowfish empty;
    EXPECT_FALSE(empty.SetKey(std::string("\0abc", 4)));
    Bytes untouched = Pattern(8, 9);
    empty.DecryptBlock(untouched.data());
    EXPECT_EQ(Pattern(8, 9), untouched);
}

TEST(Sha384, MatchesPublishedDigests)
{
    const struct {
        std::string text;
        const char* digest;
    } cases[] = {
        {"abc", "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed8086072ba1e7cc2358baeca134c825a7"},
        {"", "38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da274edebfe76f65fbd51ad2f14898b95b"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "3391fdddfc8dc7393707a65b1b4709397cf8b1d162af05abfe8f450de5f36bc6b0455a8520bc4e6f5fe95b1fe3c8452b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.digest, Sha384Hex(reinterpret_cast<const unsigned char*>(c.text.data()), c.text.size()));
}

TEST(TextCipher, KeyIsDigestOfPassPhraseWithZeroAndCbcMatchesOpenSsl)
{
    const std::string phrase = PackageConstants::PassPhrase();
    ASSERT_EQ(17u, phrase.size());
    const std::string key = TextCipherContext::BuildTextKey();
    ASSERT_EQ(97u, key.size());
    EXPECT_EQ(Sha384Hex(reinterpret_cast<const unsigned char*>(phrase.data()), 17), key.substr(0, 96));
    EXPECT_EQ('\0', key[96]);

    // The key schedule takes key bytes 4i .. 4i+3 for i up to 17, that is the
    // first 72 bytes; OpenSSL's schedule given all 97 does the same.
    BF_KEY schedule;
    BF_set_key(&schedule, 72, reinterpret_cast<const unsigned char*>(key.data()));
    const Bytes plain = Pattern(40, 77);
    Bytes expected(plain.size());
    unsigned char vector[8] = {};
    BF_cbc_encrypt(plain.data(), expected.data(), static_cast<long>(plain.size()), &schedule, vector, BF_ENCRYPT);

    Bytes data = plain;
    ASSERT_TRUE(TextCipherContext::Encipher(data.data(), data.size()));
    EXPECT_EQ(expected, data);
    ASSERT_TRUE(TextCipherContext::Decipher(data.data(), data.size()));
    EXPECT_EQ(plain, data);
    EXPECT_FALSE(TextCipherContext::Decipher(data.data(), 12));
}

TEST(Scrambling, RunXorsEachByteWithPositionLengthAndConstant)
{
    Bytes data(300, 0);
    ScrambleRun(data.data(), data.size(), 0x10);
    for (size_t i = 0; i < data.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(i * 33 + 300 + 0x10), data[i]) << i;
    ScrambleRun(data.data(), data.size(), 0x10);
    EXPECT_EQ(Bytes(300, 0), data);
}

TEST(Scrambling, CopyOfARangeUsesTheKeyOfEachPositionInTheWholeRun)
{
    struct RangeCase {
        size_t length, offset, count;
    };
    // Ranges that start and end inside the key's period of 256, span several
    // periods, or are empty.
    const RangeCase cases[] = {{300, 0, 300}, {1000, 255, 513}, {70000, 65530, 4470}, {600, 17, 1}, {40, 40, 0}};
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.length) + " " + std::to_string(c.offset) + " " + std::to_string(c.count));
        Bytes from(c.count);
        for (size_t i = 0; i < c.count; ++i)
            from[i] = static_cast<unsigned char>(i * 131 + 7);
        Bytes expected(c.count);
        for (size_t i = 0; i < c.count; ++i)
            expected[i] = from[i] ^ ScrambleKeyByte(c.offset + i, c.length, 0x5A);
        Bytes copy(c.count);
        ScrambleCopy(from.data(), copy.data(), c.offset, c.count, c.length, 0x5A);
        EXPECT_EQ(expected, copy);
        ScrambleCopy(from.data(), from.data(), c.offset, c.count, c.length, 0x5A);
        EXPECT_EQ(expected, from);
    }
}

TEST(Scrambling, StringTouchesOneByteEachWholeBlockAndEveryTailByte)
{
    const unsigned char k = PackageConstants::kString;
    const auto expectOnly = [](const Bytes& data, const std::vector<std::pair<size_t, unsigned>>& keyed) {
        Bytes expected(data.size(), 0);
        for (const auto& position : keyed)
            expected[position.first] = static_cast<unsigned char>(position.second);
        EXPECT_EQ(expected, data);
    };

    Bytes data(1030, 0);
    ScrambleString(data.data(), data.size(), k);
    std::vector<std::pair<size_t, unsigned>> keyed = {{0, 0u * 33 + k}, {513, 1u * 33 + k}};
    for (unsigned j = 0; j < 6; ++j)
        keyed.push_back({1024 + j, j * 33 + 6 + k});
    expectOnly(data, keyed);

    data.assign(512, 0);
    ScrambleString(data.data(), data.size(), k);
    expectOnly(data, {{0, k}});

    data.assign(511, 0);
    ScrambleString(data.data(), data.size(), k);
    keyed.clear();
    for (unsigned j = 0; j < 511; ++j)
        keyed.push_back({j, j * 33 + 511 + k});
    expectOnly(data, keyed);
}

TEST(Base64, RoundTripsAndStopsAtPaddingInPlaceThreeOrFour)
{
    for (size_t length = 0; length < 10; ++length) {
        const Bytes data = Pattern(length, 200);
        const std::string text = Base64Encode(data.data(), data.size());
        EXPECT_EQ((length + 2) / 3 * 4, text.size());
        EXPECT_EQ(data, Base64Decode(text));
    }
    EXPECT_EQ("TWFu", Base64Encode(reinterpret_cast<const unsigned char*>("Man"), 3));
    EXPECT_EQ("TQ==", Base64Encode(reinterpret_cast<const unsigned char*>("M"), 1));
    EXPECT_EQ(Bytes({'M'}), Base64Decode("TQ==TWFu"));
    EXPECT_EQ(Bytes({'M', 'a'}), Base64Decode("TWE=TWFu"));
    // Other characters are not rejected: they read as the digit 0.
    EXPECT_EQ(Base64Decode("AAAA"), Base64Decode("!!!!"));
    // A short last group gives what its digits hold.
    EXPECT_EQ(Bytes({'M', 'a'}), Base64Decode("TWF"));
}

// Decoding in place, as enciphered movies are, gives what decoding into a new
// array gives, padding, stray characters and short groups included.
TEST(Base64, DecodesInPlaceAsIntoANewArray)
{
    const Bytes data = Pattern(300, 17);
    const std::string texts[] = {
        Base64Encode(data.data(), data.size()), Base64Encode(data.data(), 299), Base64Encode(data.data(), 298),
        "TQ==TWFu", "TWE=TWFu", "TWF", "T", "", "!!!!TWFu", "TW=uTWFu", "=WFu",
    };
    for (const std::string& text : texts) {
        std::string buffer = text;
        buffer.resize(std::max(text.size(), Base64DecodedBound(text.size())));
        unsigned char* bytes = reinterpret_cast<unsigned char*>(&buffer[0]);
        const size_t length = Base64DecodeTo(buffer.data(), text.size(), bytes);
        EXPECT_EQ(Base64Decode(text), Bytes(bytes, bytes + length)) << text.substr(0, 16);
    }
}

} // namespace
