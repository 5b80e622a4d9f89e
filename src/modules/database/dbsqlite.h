#pragma once

#include "resulttable.h"

#include <cstdint>
#include <mutex>
#include <string>

struct sqlite3;

// One SQLite database file. A statement's whole result is copied into the
// object when it runs; the reading operations work on that copy only.
//
// Every operation takes the object's lock, so a synchronous and an
// asynchronous call on one object run one after the other, never interleaved.
class DbSQLite {
public:
    DbSQLite() = default;
    virtual ~DbSQLite();
    DbSQLite(const DbSQLite&) = delete;
    DbSQLite& operator=(const DbSQLite&) = delete;

    // Closes the open file first. A failed open keeps SQLite's handle, on
    // which every statement then fails. True when there is no error text.
    bool open(const std::wstring& path);
    // Closes the file and empties the error text and the held result.
    void close();
    // Runs every statement of the text and holds the rows they return. Does
    // nothing without a handle. False on failure, with the error text set.
    bool runQuery(const std::wstring& sql);

    TextRows getData() const;                           // NULL as ""
    std::wstring getField(int32_t row, int32_t column) const; // "" outside the result
    int32_t getRecordCount() const;
    std::wstring getXML() const; // "" without rows
    std::wstring getErrorDetails() const;
    bool hasError() const;

    // The text for a failure: SQLite's message when it gave one, else the
    // handle's message, else the result code's own text, so a failure never
    // leaves the error text empty.
    static std::wstring FailureText(int resultCode, const char* message, sqlite3* handle);

private:
    void CloseHandle();

    mutable std::mutex m_lock;
    sqlite3* m_handle = nullptr;
    std::wstring m_errorText;
    ResultTable m_result;
};
