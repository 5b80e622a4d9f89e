#include "dbsqlite.h"

#include "resultwriters.h"
#include "textconv.h"

#include <sqlite3.h>

namespace {

ResultValue ValueOf(const char* utf8)
{
    return utf8 ? ResultValue(Utf8ToWide(utf8)) : ResultValue();
}

// The table sqlite3_get_table answers: the column names, then the values row
// by row; a null entry is an SQL NULL (or a nameless column).
ResultTable CopyTable(char** table, int rowCount, int columnCount)
{
    ResultTable result;
    if (!table || rowCount <= 0 || columnCount <= 0)
        return result;
    for (int column = 0; column < columnCount; ++column)
        result.columnNames.push_back(Utf8ToWide(table[column]));
    result.rows.reserve(rowCount);
    for (int row = 1; row <= rowCount; ++row) {
        ResultRow values;
        values.reserve(columnCount);
        for (int column = 0; column < columnCount; ++column)
            values.push_back(ValueOf(table[row * columnCount + column]));
        result.rows.push_back(std::move(values));
    }
    return result;
}

} // namespace

DbSQLite::~DbSQLite()
{
    CloseHandle();
}

std::wstring DbSQLite::FailureText(int resultCode, const char* message, sqlite3* handle)
{
    std::wstring text = Utf8ToWide(message);
    if (text.empty() && handle && sqlite3_errcode(handle) != SQLITE_OK)
        text = Utf8ToWide(sqlite3_errmsg(handle));
    if (text.empty())
        text = Utf8ToWide(sqlite3_errstr(resultCode));
    return text;
}

bool DbSQLite::open(const std::wstring& path)
{
    std::lock_guard<std::mutex> hold(m_lock);
    CloseHandle();
    m_result = ResultTable();
    const int resultCode = sqlite3_open(WideToUtf8(path).c_str(), &m_handle);
    m_errorText = resultCode == SQLITE_OK ? std::wstring() : FailureText(resultCode, nullptr, m_handle);
    return m_errorText.empty();
}

void DbSQLite::close()
{
    std::lock_guard<std::mutex> hold(m_lock);
    CloseHandle();
    m_errorText.clear();
    m_result = ResultTable();
}

bool DbSQLite::runQuery(const std::wstring& sql)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_handle)
        return false;
    m_result = ResultTable();
    char** table = nullptr;
    int rowCount = 0;
    int columnCount = 0;
    char* message = nullptr;
    const int resultCode =
        sqlite3_get_table(m_handle, WideToUtf8(sql).c_str(), &table, &rowCount, &columnCount, &message);
    if (resultCode == SQLITE_OK) {
        m_errorText.clear();
        m_result = CopyTable(table, rowCount, columnCount);
    } else {
        m_errorText = FailureText(resultCode, message, m_handle);
    }
    sqlite3_free_table(table);
    sqlite3_free(message);
    return resultCode == SQLITE_OK;
}

TextRows DbSQLite::getData() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_handle ? WriteRows(m_result, NullField::EmptyText) : TextRows();
}

std::wstring DbSQLite::getField(int32_t row, int32_t column) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_handle || row < 0 || column < 0 || static_cast<size_t>(row) >= m_result.rows.size())
        return std::wstring();
    const ResultRow& values = m_result.rows[row];
    if (static_cast<size_t>(column) >= values.size() || !values[column])
        return std::wstring();
    return *values[column];
}

int32_t DbSQLite::getRecordCount() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    // SQLite counts the rows of a table in an int, so the count fits.
    return m_handle ? static_cast<int32_t>(m_result.rows.size()) : 0;
}

std::wstring DbSQLite::getXML() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_handle ? WriteXml(m_result, XmlVariant::SQLite) : std::wstring();
}

std::wstring DbSQLite::getErrorDetails() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_errorText;
}

bool DbSQLite::hasError() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return !m_errorText.empty();
}

void DbSQLite::CloseHandle()
{
    if (m_handle)
        sqlite3_close(m_handle);
    m_handle = nullptr;
}
