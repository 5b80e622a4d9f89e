// The texts made of a held result: rows, the two XML shapes and the HTML
// table, with the literal texts that movies parse.
#include "resultwriters.h"

#include <gtest/gtest.h>

namespace {

ResultTable TwoByTwo()
{
    return ResultTable{{L"a", L"b"}, {{L"1", L"2"}, {L"3", L"4"}}};
}

} // namespace

TEST(ResultWriters, TwoRowsInEachShape)
{
    const ResultTable table = TwoByTwo();
    EXPECT_EQ(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dataroot>\n   <grvdata>\n      <a>1</a>\n      "
              L"<b>2</b>\n\n   </grvdata>\n\n   <grvdata>\n      <a>3</a>\n      <b>4</b>\n\n   </grvdata>\n"
              L"</dataroot>",
              WriteXml(table, XmlVariant::Ado));
    EXPECT_EQ(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dataroot>\n   <grvdata>\n      <a>1</a>\n      "
              L"<b>2</b>\n   </grvdata>\n   <grvdata>\n      <a>3</a>\n      <b>4</b>\n   </grvdata>\n</dataroot>",
              WriteXml(table, XmlVariant::SQLite));
    EXPECT_EQ(L"<table><tr><td>1</td><td>2</td></tr><tr><td>3</td><td>4</td></tr></table>", WriteHtml(table));
    EXPECT_EQ((TextRows{{L"1", L"2"}, {L"3", L"4"}}), WriteRows(table, NullField::EmptyText));
}

TEST(ResultWriters, NoRows)
{
    const ResultTable table{{L"a", L"b"}, {}};
    EXPECT_EQ(L"</dataroot>", WriteXml(table, XmlVariant::Ado));
    EXPECT_EQ(L"", WriteXml(table, XmlVariant::SQLite));
    EXPECT_EQ(L"</table>", WriteHtml(table));
    EXPECT_TRUE(WriteRows(table, NullField::LeftOut).empty());
}

TEST(ResultWriters, NullFieldsByShape)
{
    const ResultTable table{{L"a", L"b"}, {{L"1", std::nullopt}, {std::nullopt, L"4"}}};
    EXPECT_EQ((TextRows{{L"1", L""}, {L"", L"4"}}), WriteRows(table, NullField::EmptyText));
    EXPECT_EQ((TextRows{{L"1"}, {L"4"}}), WriteRows(table, NullField::LeftOut));
    EXPECT_EQ(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dataroot>\n   <grvdata>\n      <a>1</a>\n\n"
              L"   </grvdata>\n\n   <grvdata>\n      <b>4</b>\n\n   </grvdata>\n</dataroot>",
              WriteXml(table, XmlVariant::Ado));
    EXPECT_EQ(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dataroot>\n   <grvdata>\n      <a>1</a>\n      "
              L"<b></b>\n   </grvdata>\n   <grvdata>\n      <a></a>\n      <b>4</b>\n   </grvdata>\n</dataroot>",
              WriteXml(table, XmlVariant::SQLite));
    EXPECT_EQ(L"<table><tr><td>1</td><td></td></tr><tr><td></td><td>4</td></tr></table>", WriteHtml(table));
}

// Markup in names and values is written as it is.
TEST(ResultWriters, NothingIsEscaped)
{
    const ResultTable table{{L"x<y"}, {{L"<b>&amp; & \"q\""}}};
    EXPECT_EQ(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dataroot>\n   <grvdata>\n      <x<y><b>&amp; & "
              L"\"q\"</x<y>\n   </grvdata>\n</dataroot>",
              WriteXml(table, XmlVariant::SQLite));
    EXPECT_EQ(L"<table><tr><td><b>&amp; & \"q\"</td></tr></table>", WriteHtml(table));
}
