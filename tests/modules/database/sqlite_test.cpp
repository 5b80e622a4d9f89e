// The Database module's table and its SQLite rows through the call road,
// synchronously and asynchronously, on files in a scratch folder. SQLite's
// own messages are taken from SQLite in the test, never written out.
#include "commandcalls.h"
#include "databaseroads.h"
#include "dbmysql.h"
#include "dbsqlite.h"
#include "nxadatabase.h"
#include "pinnedtable.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "textconv.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <windows.h>

#include <string>

namespace {

const std::string kSQLite = "nxa.Database.SQLite.";

// The message SQLite gives for the statement on a database of its own.
std::string SQLiteMessage(const std::wstring& path, const std::string& statement)
{
    sqlite3* handle = nullptr;
    sqlite3_open(WideToUtf8(path).c_str(), &handle);
    char* message = nullptr;
    sqlite3_exec(handle, statement.c_str(), nullptr, nullptr, &message);
    const std::string text = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(handle);
    return text;
}

std::string SQLiteOpenMessage(const std::wstring& path)
{
    sqlite3* handle = nullptr;
    sqlite3_open(WideToUtf8(path).c_str(), &handle);
    const std::string text = sqlite3_errmsg(handle);
    sqlite3_close(handle);
    return text;
}

bool Deletable(const std::wstring& path)
{
    return ::DeleteFileW(path.c_str()) != 0;
}

class SQLiteCommands : public testing::Test {
protected:
    SQLiteCommands() : centre({&nxaDatabase::Frame::Descriptor()}) { EXPECT_TRUE(centre.Initialised()); }

    std::string NewDatabase() { return CallCommandSync(kSQLite + "create"); }

    std::string Call(const std::string& id, const std::string& command, const std::string& more = std::string())
    {
        return CallCommandSync(kSQLite + command, more.empty() ? id : id + ", " + more);
    }

    std::string RunQuery(Road road, const std::string& id, const std::string& sql)
    {
        return RunBy(road, kSQLite + "runQuery", id + ", " + JsonString(sql));
    }

    std::string Open(Road road, const std::string& id, const std::wstring& path)
    {
        return RunBy(road, kSQLite + "open", id + ", " + JsonString(path));
    }

    // The answers of the reading rows, joined: data | count | xml.
    std::string Readers(const std::string& id)
    {
        return Call(id, "getData") + " | " + Call(id, "getRecordCount") + " | " + Call(id, "getXML");
    }

    ScopedCommandCentre centre;
    ScratchFolder scratch;
};

} // namespace

// Runs first in the program: ids count per kind from 0.
TEST_F(SQLiteCommands, PinnedTableAndIds)
{
    ExpectPinnedTable(nxaDatabase::Frame::Descriptor(), {
                                                 {"nxa.Database.create", kAnyArgCount, "0"},
                                                 {"nxa.Database.MySQL.create", 0, "-1"},
                                                 {"nxa.Database.MySQL.close", 1, "0"},
                                                 {"nxa.Database.MySQL.connect", 7, "false"},
                                                 {"nxa.Database.MySQL.getData", 1, "[]"},
                                                 {"nxa.Database.MySQL.getField", 3, "\"\""},
                                                 {"nxa.Database.MySQL.getLastError", 1, "\"\""},
                                                 {"nxa.Database.MySQL.getLastInsertedId", 1, "0"},
                                                 {"nxa.Database.MySQL.getRecordCount", 1, "0"},
                                                 {"nxa.Database.MySQL.getStatus", 1, "\"\""},
                                                 {"nxa.Database.MySQL.isConnected", 1, "false"},
                                                 {"nxa.Database.MySQL.runQuery", 2, "false"},
                                                 {"nxa.Database.SQLite.create", 0, "-1"},
                                                 {"nxa.Database.SQLite.close", 1, "0"},
                                                 {"nxa.Database.SQLite.error", 1, "false"},
                                                 {"nxa.Database.SQLite.errorDetails", 1, "\"\""},
                                                 {"nxa.Database.SQLite.getData", 1, "[]"},
                                                 {"nxa.Database.SQLite.getField", 3, "\"\""},
                                                 {"nxa.Database.SQLite.getRecordCount", 1, "0"},
                                                 {"nxa.Database.SQLite.getXML", 1, "\"\""},
                                                 {"nxa.Database.SQLite.open", 2, "false"},
                                                 {"nxa.Database.SQLite.runQuery", 2, "0"},
                                             });
    EXPECT_EQ("0", CallCommandSync("nxa.Database.create", "1, \"x\", null"));
    EXPECT_EQ("0", CallCommandSync("nxa.Database.create"));
    EXPECT_EQ("-1", CallCommandSync("nxa.Database.SQLite.create", "1"));
    EXPECT_EQ("0", CallCommandSync("nxa.Database.SQLite.create"));
    EXPECT_EQ("0", CallCommandSync("nxa.Database.MySQL.create"));
    EXPECT_EQ("1", CallCommandSync("nxa.Database.SQLite.create"));
    EXPECT_EQ("-1", CallCommandSync("nxa.Database.MySQL.create", "null"));
    EXPECT_EQ("1", CallCommandSync("nxa.Database.MySQL.create"));
}

TEST_F(SQLiteCommands, TableRoundTrip)
{
    const std::string xml = "\"<?xml version=\\\"1.0\\\" encoding=\\\"UTF-8\\\"?>\\n<dataroot>\\n   <grvdata>\\n      "
                            "<a>1<\\/a>\\n      <b><\\/b>\\n   <\\/grvdata>\\n   <grvdata>\\n      <a>3<\\/a>\\n      "
                            "<b>4<\\/b>\\n   <\\/grvdata>\\n<\\/dataroot>\"";
    for (Road road : kRoads) {
        SCOPED_TRACE(RoadName(road));
        const std::string id = NewDatabase();
        const std::wstring path = scratch / (L"table " + std::wstring(road == Road::Sync ? L"s" : L"a") + L".db");
        const std::string opened = Open(road, id, path);
        EXPECT_EQ(road == Road::Sync ? "true" : "", opened);
        EXPECT_EQ("false", Call(id, "error"));
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str()));

        const std::string answered = RunQuery(road, id, "CREATE TABLE t(a, b)");
        EXPECT_EQ(road == Road::Sync ? "0" : "", answered);
        EXPECT_EQ("[ ] | 0 | \"\"", Readers(id));
        RunQuery(road, id, "INSERT INTO t VALUES (1, NULL); INSERT INTO t VALUES (3, 4)");

        RunQuery(road, id, "SELECT a, b FROM t");
        EXPECT_EQ("false", Call(id, "error"));
        EXPECT_EQ("[ [ \"1\", \"\" ], [ \"3\", \"4\" ] ] | 2 | " + xml, Readers(id));
        const std::pair<const char*, const char*> fields[] = {
            {"1, 0", "\"3\""}, {"0, 1", "\"\""}, {"0, 2", "\"\""}, {"2, 0", "\"\""}, {"-1, 0", "\"\""}, {"0, -1", "\"\""}};
        for (const auto& field : fields)
            EXPECT_EQ(field.second, Call(id, "getField", field.first)) << field.first;

        RunQuery(road, id, "SELECT a, b FROM t WHERE a > 10");
        EXPECT_EQ("[ ] | 0 | \"\"", Readers(id));

        RunQuery(road, id, "SELECT a, b FROM t");
        RunQuery(road, id, "SELEC a FROM t");
        EXPECT_EQ("true", Call(id, "error"));
        EXPECT_EQ(JsonString(SQLiteMessage(scratch / L"probe.db", "SELEC a FROM t")), Call(id, "errorDetails"));
        EXPECT_EQ("[ ] | 0 | \"\"", Readers(id));

        RunBy(road, kSQLite + "close", id);
        EXPECT_EQ("[ ] | 0 | \"\"", Readers(id));
        EXPECT_EQ("false", Call(id, "error"));
        Open(road, id, path);
        RunQuery(road, id, "SELECT b FROM t WHERE a = 3");
        EXPECT_EQ("[ [ \"4\" ] ] | 1", Call(id, "getData") + " | " + Call(id, "getRecordCount"));
    }
}

TEST_F(SQLiteCommands, MarkupAndTextsPassUnchanged)
{
    const std::string id = NewDatabase();
    ASSERT_EQ("true", Call(id, "open", JsonString(scratch / L"texts.db")));
    Call(id, "runQuery", JsonString("SELECT '<b>&amp;' AS x, 'caf\xC3\xA9 \xF0\x9F\x98\x80', CAST(X'41FF42' AS TEXT)"));
    // Invalid UTF-8 from the file decodes with replacement characters.
    EXPECT_EQ("[ [ " + JsonString("<b>&amp;") + ", " + JsonString("caf\xC3\xA9 \xF0\x9F\x98\x80") + ", " +
                  JsonString("A\xEF\xBF\xBD" "B") + " ] ]",
              Call(id, "getData"));
    const std::string xml = Call(id, "getXML");
    EXPECT_NE(std::string::npos, xml.find("<x><b>&amp;<\\/x>")) << xml;
}

TEST_F(SQLiteCommands, QueriesWithoutAFileChangeNothing)
{
    const std::string id = NewDatabase();
    for (Road road : kRoads) {
        SCOPED_TRACE(RoadName(road));
        EXPECT_EQ(road == Road::Sync ? "0" : "", RunQuery(road, id, "CREATE TABLE t(a)"));
        EXPECT_EQ("false", Call(id, "error"));
        EXPECT_EQ("[ ] | 0 | \"\"", Readers(id));
    }
}

TEST_F(SQLiteCommands, OpenInAMissingFolderFailsAndKeepsFailing)
{
    const std::wstring path = scratch / L"missing\\a.db";
    for (Road road : kRoads) {
        SCOPED_TRACE(RoadName(road));
        const std::string id = NewDatabase();
        EXPECT_EQ(road == Road::Sync ? "false" : "", Open(road, id, path));
        EXPECT_EQ("true", Call(id, "error"));
        const std::string message = JsonString(SQLiteOpenMessage(path));
        EXPECT_EQ(message, Call(id, "errorDetails"));
        EXPECT_NE("\"\"", message);
        // The failed handle stays: every statement fails on it.
        RunQuery(road, id, "CREATE TABLE t(a)");
        EXPECT_EQ("true", Call(id, "error"));
        EXPECT_EQ("[ ]", Call(id, "getData"));
    }
}

TEST_F(SQLiteCommands, NonAsciiPath)
{
    const std::wstring folder = scratch / L"donn\u00e9es \u0436";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring path = folder + L"\\\u0431\u0430\u0437\u0430 \U0001F600.db";
    const std::string id = NewDatabase();
    ASSERT_EQ("true", Call(id, "open", JsonString(path)));
    Call(id, "runQuery", JsonString("CREATE TABLE t(a); INSERT INTO t VALUES ('x'); SELECT a FROM t"));
    EXPECT_EQ("[ [ \"x\" ] ]", Call(id, "getData"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str()));
}

// A file open in SQLite cannot be deleted (no delete sharing), so deleting
// shows which files are still open.
TEST_F(SQLiteCommands, OpenAndCloseReleaseTheFile)
{
    const std::wstring first = scratch / L"first.db";
    const std::wstring second = scratch / L"second.db";
    for (Road road : kRoads) {
        SCOPED_TRACE(RoadName(road));
        const std::string id = NewDatabase();
        Open(road, id, first);
        RunQuery(road, id, "CREATE TABLE t(a)");
        EXPECT_FALSE(Deletable(first));
        Open(road, id, second);
        EXPECT_TRUE(Deletable(first));
        RunQuery(road, id, "CREATE TABLE t(a)");
        RunBy(road, kSQLite + "close", id);
        EXPECT_TRUE(Deletable(second));
    }
}

TEST(SQLiteModule, ShutdownClosesTheFiles)
{
    ScratchFolder scratch;
    const std::wstring path = scratch / L"left open.db";
    {
        ScopedCommandCentre centre({&nxaDatabase::Frame::Descriptor()});
        const std::string id = CallCommandSync(kSQLite + "create");
        ASSERT_EQ("true", CallCommandSync(kSQLite + "open", id + ", " + JsonString(path)));
        CallCommandSync(kSQLite + "runQuery", id + ", " + JsonString("CREATE TABLE t(a)"));
        ASSERT_FALSE(Deletable(path));
    }
    EXPECT_TRUE(Deletable(path));
}

// A failure that SQLite reports without a message still leaves an error text.
TEST(SQLiteFailureText, NeverEmptyAfterAFailure)
{
    EXPECT_EQ(L"a message", DbSQLite::FailureText(SQLITE_ERROR, "a message", nullptr));
    EXPECT_EQ(Utf8ToWide(sqlite3_errstr(SQLITE_NOMEM)), DbSQLite::FailureText(SQLITE_NOMEM, nullptr, nullptr));
    EXPECT_EQ(Utf8ToWide(sqlite3_errstr(SQLITE_IOERR)), DbSQLite::FailureText(SQLITE_IOERR, "", nullptr));
    EXPECT_FALSE(DbSQLite::FailureText(SQLITE_NOMEM, nullptr, nullptr).empty());
}

TEST(MySqlPortText, ReadLikeTheCLibraryWithZeroForNoPort)
{
    const std::pair<const wchar_t*, int32_t> cases[] = {
        {L"3306", 3306}, {L"3306 x", 3306}, {L"  +3307", 3307}, {L"65535", 65535}, {L"0", 0},
        {L"", 0},        {L"x3306", 0},     {L"-1", 0},         {L"65536", 0},    {L"99999999999999999999", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, ReadPortText(c.first)) << WideToUtf8(c.first);
}
