#pragma once

#include "resulttable.h"

#include <cstdint>
#include <mutex>
#include <string>

struct st_mysql;
struct st_mysql_res;

// One connection to a MySQL or MariaDB server over the client library's
// plain text protocol. Holds the stored result of the last statement that
// made one; the reading operations read that result and never run a
// statement.
//
// Every operation takes the object's lock for its whole length (a statement
// included), so a synchronous and an asynchronous call on one object run
// one after the other, never interleaved.
class DbMySQL {
public:
    DbMySQL() = default;
    virtual ~DbMySQL();
    DbMySQL(const DbMySQL&) = delete;
    DbMySQL& operator=(const DbMySQL&) = delete;

    // Closes first. Port 0 is the library's default; compression is the only
    // client flag. False with the library's message in the last error when
    // the connection fails.
    bool connect(const std::wstring& host, int32_t port, bool compress, const std::wstring& user,
                 const std::wstring& password, const std::wstring& database);
    // Frees the result, ends the connection and empties the last error.
    void close();
    // Sends the statement unchanged and stores its result. False when not
    // connected (nothing changes) or when the statement fails (last error
    // set, the previous result already gone).
    bool runQuery(const std::wstring& sql);

    TextRows getData() const;                                // NULL as "NULL"
    std::wstring getField(int32_t row, int32_t field) const; // "" outside the result
    int32_t getRecordCount() const;
    int32_t getLastInsertedId() const; // the low 32 bits
    std::wstring getStatus() const;    // the server's statistics line
    std::wstring getLastError() const;
    bool isConnected() const;

private:
    bool HasConnection() const { return m_handle && m_connected; }
    void FreeResult();
    void CloseLocked();

    mutable std::mutex m_lock;
    st_mysql* m_handle = nullptr;
    st_mysql_res* m_result = nullptr;
    bool m_connected = false;
    std::wstring m_lastError;
};

// The port text read as the C library's wide-text-to-long reading reads it:
// leading blanks and a sign, then digits up to the first other character
// ("3306 x" is 3306). A text without a number, or with one that is no port
// (below 0, above 65535, too long), gives 0: the library's default port.
int32_t ReadPortText(const std::wstring& text);
