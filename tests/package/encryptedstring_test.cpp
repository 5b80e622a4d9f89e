#include "cencryptedstring.h"
#include "textcipher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(CEncryptedString, SetTextPadsUnitsAndZeroToWholeBlocks)
{
    const struct {
        std::wstring text;
        int32_t length;
    } cases[] = {{L"abc", 8}, {L"abcd", 16}, {L"a", 8}, {std::wstring(7, L'x'), 16}, {std::wstring(8, L'x'), 24}};
    for (const auto& c : cases) {
        CEncryptedString value;
        value.SetText(c.text);
        EXPECT_EQ(c.length, value.Length()) << c.text.size();
        EXPECT_EQ(c.text, value.GetText());
    }
}

TEST(CEncryptedString, StoresUtf16LittleEndianEnciphered)
{
    CEncryptedString value;
    value.SetText(L"h\u00E9\U0001F600");  // a pair of surrogates on every platform
    ASSERT_EQ(16, value.Length());
    std::vector<unsigned char> plain(value.Bytes(), value.Bytes() + value.Length());
    ASSERT_TRUE(TextCipherContext::Decipher(plain.data(), plain.size()));
    const std::vector<unsigned char> expected = {'h', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(expected, plain);
    EXPECT_EQ(L"h\u00E9\U0001F600", value.GetText());
}

TEST(CEncryptedString, EqualTextsGiveEqualBytesAndEmptyTextKeepsValue)
{
    CEncryptedString first, second;
    first.SetText(L"same text here");
    second.SetText(L"same text here");
    ASSERT_EQ(first.Length(), second.Length());
    EXPECT_EQ(0, std::memcmp(first.Bytes(), second.Bytes(), first.Length()));

    first.SetText(L"");
    EXPECT_EQ(L"same text here", first.GetText());

    CEncryptedString none;
    EXPECT_EQ(0, none.Length());
    EXPECT_EQ(L"", none.GetText());
}

} // namespace
