#include "resultwriters.h"

namespace {

const wchar_t* const kXmlHead = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dataroot>\n   <grvdata>\n";
const wchar_t* const kXmlTail = L"</dataroot>";

void AppendXmlField(std::wstring& xml, const std::wstring& name, const std::wstring& value)
{
    xml += L"      <";
    xml += name;
    xml += L'>';
    xml += value;
    xml += L"</";
    xml += name;
    xml += L">\n";
}

// The column's name; a row longer than the names list (which no back end
// makes) gets empty names rather than a read past the end.
std::wstring ColumnName(const ResultTable& table, size_t column)
{
    return column < table.columnNames.size() ? table.columnNames[column] : std::wstring();
}

void AppendXmlRow(std::wstring& xml, const ResultTable& table, const ResultRow& row, XmlVariant variant)
{
    for (size_t column = 0; column < row.size(); ++column) {
        if (row[column])
            AppendXmlField(xml, ColumnName(table, column), *row[column]);
        else if (variant == XmlVariant::SQLite)
            AppendXmlField(xml, ColumnName(table, column), std::wstring());
    }
}

} // namespace

TextRows WriteRows(const ResultTable& table, NullField nullField)
{
    TextRows rows;
    rows.reserve(table.rows.size());
    for (const ResultRow& row : table.rows) {
        std::vector<std::wstring> texts;
        texts.reserve(row.size());
        for (const ResultValue& value : row) {
            if (value)
                texts.push_back(*value);
            else if (nullField == NullField::EmptyText)
                texts.emplace_back();
        }
        rows.push_back(std::move(texts));
    }
    return rows;
}

std::wstring WriteXml(const ResultTable& table, XmlVariant variant)
{
    if (table.rows.empty())
        return variant == XmlVariant::Ado ? std::wstring(kXmlTail) : std::wstring();
    const wchar_t* const rowOpening = variant == XmlVariant::Ado ? L"\n   <grvdata>\n" : L"   <grvdata>\n";
    const wchar_t* const rowClosing = variant == XmlVariant::Ado ? L"\n   </grvdata>\n" : L"   </grvdata>\n";
    std::wstring xml = kXmlHead; // opens the first row
    for (size_t index = 0; index < table.rows.size(); ++index) {
        if (index > 0)
            xml += rowOpening;
        AppendXmlRow(xml, table, table.rows[index], variant);
        xml += rowClosing;
    }
    return xml + kXmlTail;
}

std::wstring WriteHtml(const ResultTable& table)
{
    std::wstring html;
    for (size_t index = 0; index < table.rows.size(); ++index) {
        html += index == 0 ? L"<table><tr>" : L"<tr>";
        for (const ResultValue& value : table.rows[index]) {
            html += L"<td>";
            if (value)
                html += *value;
            html += L"</td>";
        }
        html += L"</tr>";
    }
    return html + L"</table>";
}
