#include "dbmysql.h"

#include "textconv.h"

#include <mysql.h>

#include <cerrno>
#include <cstdlib>

namespace {

const wchar_t* const kNullText = L"NULL";
// mysql_init fails only when it cannot allocate its handle.
const wchar_t* const kNoHandleText = L"MySQL client ran out of memory";
const long kHighestPort = 65535;

std::wstring FieldText(MYSQL_ROW row, unsigned int field)
{
    return row[field] ? Utf8ToWide(row[field]) : std::wstring(kNullText);
}

} // namespace

int32_t ReadPortText(const std::wstring& text)
{
    const wchar_t* const start = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    const long port = std::wcstol(start, &end, 10);
    if (end == start || errno == ERANGE || port < 0 || port > kHighestPort)
        return 0;
    return static_cast<int32_t>(port);
}

DbMySQL::~DbMySQL()
{
    CloseLocked();
}

bool DbMySQL::connect(const std::wstring& host, int32_t port, bool compress, const std::wstring& user,
                      const std::wstring& password, const std::wstring& database)
{
    std::lock_guard<std::mutex> hold(m_lock);
    CloseLocked();
    m_handle = mysql_init(nullptr);
    if (!m_handle) {
        m_lastError = kNoHandleText;
        return false;
    }
    const unsigned long flags = compress ? CLIENT_COMPRESS : 0;
    if (!mysql_real_connect(m_handle, WideToUtf8(host).c_str(), WideToUtf8(user).c_str(),
                            WideToUtf8(password).c_str(), WideToUtf8(database).c_str(),
                            static_cast<unsigned int>(port), nullptr, flags)) {
        m_lastError = Utf8ToWide(mysql_error(m_handle));
        return false;
    }
    m_connected = true;
    return true;
}

void DbMySQL::close()
{
    std::lock_guard<std::mutex> hold(m_lock);
    CloseLocked();
}

bool DbMySQL::runQuery(const std::wstring& sql)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!HasConnection())
        return false;
    FreeResult();
    m_lastError.clear();
    const std::string statement = WideToUtf8(sql);
    if (mysql_query(m_handle, statement.c_str()) != 0) {
        m_lastError = Utf8ToWide(mysql_error(m_handle));
        return false;
    }
    m_result = mysql_store_result(m_handle);
    if (!m_result && mysql_field_count(m_handle) != 0) {
        m_lastError = Utf8ToWide(mysql_error(m_handle));
        return false;
    }
    return true;
}

TextRows DbMySQL::getData() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    TextRows rows;
    if (!HasConnection() || !m_result || mysql_num_rows(m_result) == 0)
        return rows;
    const unsigned int fieldCount = mysql_num_fields(m_result);
    mysql_data_seek(m_result, 0);
    while (MYSQL_ROW row = mysql_fetch_row(m_result)) {
        std::vector<std::wstring> texts;
        texts.reserve(fieldCount);
        for (unsigned int field = 0; field < fieldCount; ++field)
            texts.push_back(FieldText(row, field));
        rows.push_back(std::move(texts));
    }
    return rows;
}

std::wstring DbMySQL::getField(int32_t row, int32_t field) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!HasConnection() || !m_result || row < 0 || field < 0 ||
        static_cast<my_ulonglong>(row) >= mysql_num_rows(m_result) ||
        static_cast<unsigned int>(field) >= mysql_num_fields(m_result))
        return std::wstring();
    mysql_data_seek(m_result, static_cast<my_ulonglong>(row));
    const MYSQL_ROW values = mysql_fetch_row(m_result);
    return values ? FieldText(values, static_cast<unsigned int>(field)) : std::wstring();
}

int32_t DbMySQL::getRecordCount() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return HasConnection() && m_result ? static_cast<int32_t>(mysql_num_rows(m_result)) : 0;
}

int32_t DbMySQL::getLastInsertedId() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return HasConnection() ? static_cast<int32_t>(static_cast<uint32_t>(mysql_insert_id(m_handle))) : 0;
}

std::wstring DbMySQL::getStatus() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return HasConnection() ? Utf8ToWide(mysql_stat(m_handle)) : std::wstring();
}

std::wstring DbMySQL::getLastError() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_lastError;
}

bool DbMySQL::isConnected() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_connected;
}

void DbMySQL::FreeResult()
{
    if (m_result)
        mysql_free_result(m_result);
    m_result = nullptr;
}

void DbMySQL::CloseLocked()
{
    FreeResult();
    if (m_handle)
        mysql_close(m_handle);
    m_handle = nullptr;
    m_connected = false;
    m_lastError.clear();
}
