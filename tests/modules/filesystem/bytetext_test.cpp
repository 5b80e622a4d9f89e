#include "bytetext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

struct ByteTextCase {
    const wchar_t* text;
    bool read;
    Bytes bytes; // for a file text: only when read; for a buffer text: what stays
};

TEST(FileByteText, PairsReadDecimalFirstAndPiecesStopAtTheLastSeparator)
{
    const ByteTextCase cases[] = {
        {L"", true, {}},
        {L"0a0B", true, {0x0A, 0x0B}},
        {L"10", true, {10}},
        {L"ff", true, {255}},
        {L"12|200|7f", true, {12, 200, 127}},
        {L"1|2|", true, {1, 2}},
        {L"|5", false, {}},
        {L"|", false, {}},
        {L"1||2", false, {}},
        {L"1||", false, {}},
        {L"1|256", false, {}},
        {L"1|-1", false, {}},
        {L"1|0x1f", true, {1, 0x1F}},
        {L" 7|+8", true, {7, 8}},
        {L"7 |8", false, {}},
        {L"abc", false, {}},
        {L"zz", false, {}},
        {L"\u00e9\u00e9", false, {}},
    };
    for (const ByteTextCase& c : cases) {
        SCOPED_TRACE(std::wstring(L"text ") + c.text);
        Bytes bytes;
        ASSERT_EQ(c.read, ParseFileByteText(c.text, bytes));
        if (c.read) {
            EXPECT_EQ(c.bytes, bytes);
        }
    }
}

TEST(BufferByteText, PairsReadHexOnlyAndFailuresKeepTheBytesBefore)
{
    const ByteTextCase cases[] = {
        {L"", true, {}},
        {L"48656c6c6f", true, {'H', 'e', 'l', 'l', 'o'}},
        {L"FF00", true, {0xFF, 0x00}},
        {L"10", true, {16}},
        {L"1|10|255", true, {1, 10, 255}},
        {L"1|256", false, {1}},
        {L"1|2|", false, {1, 2}},
        {L"1|ff", false, {1}},
        {L"|1", false, {}},
        {L"zz", false, {}},
        {L"abc", false, {0xAB}},
        {L"ab0", false, {0xAB}},
        {L"-1", true, {0xFF}}, // a signed pair gives its low 8 bits
    };
    for (const ByteTextCase& c : cases) {
        SCOPED_TRACE(std::wstring(L"text ") + c.text);
        Bytes bytes;
        EXPECT_EQ(c.read, AppendBufferByteText(c.text, bytes));
        EXPECT_EQ(c.bytes, bytes);
    }
}

TEST(HexBytes, TwoLowerCaseDigitsPerByte)
{
    const unsigned char bytes[] = {0x00, 0x7F, 0x80, 0xFF, 0x07, 0xAB};
    EXPECT_EQ("007f80ff07ab", FormatHexBytes(bytes, sizeof bytes));
    EXPECT_EQ("", FormatHexBytes(bytes, 0));
}

} // namespace
