// The MySQL rows through the call road against a private MariaDB server that
// the ctest fixture started (mariadbserver.py): its port is in port.txt in
// the working directory; the user, password and database are the fixture's.
#include "commandcalls.h"
#include "databaseroads.h"
#include "nxadatabase.h"
#include "scopedcommandcentre.h"
#include "waituntil.h"

#include <gtest/gtest.h>

#include <winsock2.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string kMySql = "nxa.Database.MySQL.";
const char* const kUser = "\"kova\"";
const char* const kPassword = "\"kova-secret\"";
const char* const kDatabase = "\"kova_test\"";

int ServerPort()
{
    std::ifstream file("port.txt");
    int port = 0;
    file >> port;
    return port;
}

// A loopback port that nothing listens on: bound once, then released.
int ClosedPort()
{
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    const SOCKET probe = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof(address);
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    ::closesocket(probe);
    ::WSACleanup();
    return ntohs(address.sin_port);
}

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

std::string Call(const std::string& id, const std::string& command, const std::string& more = std::string())
{
    return CallCommandSync(kMySql + command, more.empty() ? id : id + ", " + more);
}

std::string ConnectArgs(const std::string& port, const std::string& compress, const char* password = kPassword)
{
    return "\"127.0.0.1\", " + port + ", " + compress + ", " + kUser + ", " + password + ", " + kDatabase;
}

std::string Query(const std::string& id, const std::string& sql)
{
    return Call(id, "runQuery", JsonString(sql));
}

class MySqlCommands : public testing::Test {
protected:
    MySqlCommands() : centre({&nxaDatabase::Frame::Descriptor()}), port(ServerPort())
    {
        EXPECT_TRUE(centre.Initialised());
        EXPECT_NE(0, port) << "no port.txt from the fixture";
    }

    // A new object connected to the fixture's server.
    std::string Connected()
    {
        const std::string id = CallCommandSync(kMySql + "create");
        EXPECT_EQ("true", Call(id, "connect", ConnectArgs(std::to_string(port), "false")))
            << Call(id, "getLastError");
        return id;
    }

    ScopedCommandCentre centre;
    const int port;
};

} // namespace

TEST_F(MySqlCommands, ConnectArguments)
{
    struct Case {
        std::string port;
        std::string compress;
        const char* compression; // the session's Compression status
    };
    const std::string text = JsonString(std::to_string(port) + " x");
    const std::string number = std::to_string(port);
    const Case cases[] = {
        {text, "\"TRUE\"", "ON"},   {number, "true", "ON"},      {number, "\"True\"", "ON"},
        {text, "\"yes\"", "OFF"},   {number, "\"1\"", "OFF"},    {number, "false", "OFF"},
    };
    for (Road road : kRoads) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(RoadName(road)) + " " + c.port + " " + c.compress);
            const std::string id = CallCommandSync(kMySql + "create");
            const std::string answer = RunBy(road, kMySql + "connect", id + ", " + ConnectArgs(c.port, c.compress));
            EXPECT_EQ(road == Road::Sync ? "true" : "", answer);
            EXPECT_EQ("true", Call(id, "isConnected"));
            EXPECT_EQ("\"\"", Call(id, "getLastError"));
            ASSERT_EQ("true", Query(id, "SHOW SESSION STATUS LIKE 'Compression'"));
            EXPECT_EQ(std::string("[ [ \"Compression\", \"") + c.compression + "\" ] ]", Call(id, "getData"));
            Call(id, "close");
        }
    }
}

TEST_F(MySqlCommands, FailedConnects)
{
    const std::string closed = std::to_string(ClosedPort());
    struct Case {
        std::string args;
        const char* error; // the start of the message, or a part of it
        bool atStart;
    };
    const Case cases[] = {
        {ConnectArgs(closed, "false"), "Can't connect to", true},
        {ConnectArgs(std::to_string(port), "false", "\"wrong\""), "Access denied", false},
    };
    for (Road road : kRoads) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(RoadName(road)) + " " + c.error);
            const std::string id = CallCommandSync(kMySql + "create");
            EXPECT_EQ(road == Road::Sync ? "false" : "", RunBy(road, kMySql + "connect", id + ", " + c.args));
            EXPECT_EQ("false", Call(id, "isConnected"));
            const std::string error = Call(id, "getLastError");
            if (c.atStart)
                EXPECT_TRUE(StartsWith(error, std::string("\"") + c.error)) << error;
            else
                EXPECT_NE(std::string::npos, error.find(c.error)) << error;
            EXPECT_EQ("false", Query(id, "SELECT 1"));
            EXPECT_EQ(error, Call(id, "getLastError"));
            EXPECT_EQ("\"\"", Call(id, "getStatus"));
            EXPECT_EQ("0", Call(id, "getLastInsertedId"));
        }
    }
}

TEST_F(MySqlCommands, StatementsAndTheirResults)
{
    for (Road road : kRoads) {
        SCOPED_TRACE(RoadName(road));
        const std::string id = Connected();
        const std::string table = road == Road::Sync ? "rows_s" : "rows_a";
        const auto run = [&](const std::string& sql) { return RunBy(road, kMySql + "runQuery", id + ", " + JsonString(sql)); };
        const std::string ok = road == Road::Sync ? "true" : "";

        EXPECT_EQ(ok, run("CREATE TABLE " + table + " (a INT, b VARCHAR(10))"));
        EXPECT_EQ(ok, run("INSERT INTO " + table + " VALUES (1, NULL), (3, '4')"));
        EXPECT_EQ(ok, run("SELECT a, b FROM " + table + " ORDER BY a"));
        EXPECT_EQ("[ [ \"1\", \"NULL\" ], [ \"3\", \"4\" ] ]", Call(id, "getData"));
        EXPECT_EQ("2", Call(id, "getRecordCount"));
        const std::pair<const char*, const char*> fields[] = {
            {"0, 1", "\"NULL\""}, {"1, 0", "\"3\""}, {"0, 2", "\"\""}, {"0, -1", "\"\""}, {"2, 0", "\"\""}, {"-1, 0", "\"\""}};
        for (const auto& field : fields)
            EXPECT_EQ(field.second, Call(id, "getField", field.first)) << field.first;
        // The readers rewind: they read the whole result every time.
        EXPECT_EQ("\"NULL\"", Call(id, "getField", "0, 1"));
        EXPECT_EQ("[ [ \"1\", \"NULL\" ], [ \"3\", \"4\" ] ]", Call(id, "getData"));

        EXPECT_EQ(ok, run("UPDATE " + table + " SET a = a + 1"));
        EXPECT_EQ("0 | [ ]", Call(id, "getRecordCount") + " | " + Call(id, "getData"));
        EXPECT_EQ("\"\"", Call(id, "getLastError"));

        run("SELECT a FROM " + table);
        EXPECT_EQ(road == Road::Sync ? "false" : "", run("SELEC a FROM " + table));
        const std::string error = Call(id, "getLastError");
        EXPECT_NE(std::string::npos, error.find("SQL syntax")) << error;
        EXPECT_EQ("0 | [ ]", Call(id, "getRecordCount") + " | " + Call(id, "getData"));
        // The next statement clears the error.
        run("SELECT 1");
        EXPECT_EQ("\"\"", Call(id, "getLastError"));

        const std::string status = Call(id, "getStatus");
        EXPECT_TRUE(StartsWith(status, "\"Uptime:")) << status;

        RunBy(road, kMySql + "close", id);
        EXPECT_EQ("false | \"\" | \"\" | [ ] | 0", Call(id, "isConnected") + " | " + Call(id, "getLastError") + " | " +
                                                        Call(id, "getStatus") + " | " + Call(id, "getData") + " | " +
                                                        Call(id, "getRecordCount"));
        EXPECT_EQ("false", Query(id, "SELECT 1"));
    }
}

TEST_F(MySqlCommands, LastInsertedIdKeepsTheLow32Bits)
{
    const std::string id = Connected();
    ASSERT_EQ("true", Query(id, "CREATE TABLE ids_small (id INT AUTO_INCREMENT PRIMARY KEY, v INT)"));
    ASSERT_EQ("true", Query(id, "INSERT INTO ids_small (v) VALUES (1), (2)"));
    EXPECT_EQ("1", Call(id, "getLastInsertedId"));
    ASSERT_EQ("true",
              Query(id, "CREATE TABLE ids_big (id BIGINT AUTO_INCREMENT PRIMARY KEY, v INT) AUTO_INCREMENT=4294967301"));
    ASSERT_EQ("true", Query(id, "INSERT INTO ids_big (v) VALUES (1)"));
    EXPECT_EQ("5", Call(id, "getLastInsertedId"));
}

TEST_F(MySqlCommands, TextsTravelAsUtf8)
{
    const std::string id = Connected();
    const std::string text = "\xC3\xA9\xF0\x9F\x98\x80"; // é😀
    ASSERT_EQ("true", Query(id, "CREATE TABLE texts (s VARCHAR(10)) CHARACTER SET utf8mb4"));
    ASSERT_EQ("true", Query(id, "INSERT INTO texts VALUES ('" + text + "')"));
    ASSERT_EQ("true", Query(id, "SELECT HEX(s), s FROM texts"));
    EXPECT_EQ("[ [ \"C3A9F09F9880\", " + JsonString(text) + " ] ]", Call(id, "getData"));
    // Bytes that are no UTF-8 decode with replacement characters, as from SQLite.
    ASSERT_EQ("true", Query(id, "SELECT X'41FF42'"));
    EXPECT_EQ("[ [ " + JsonString("A\xEF\xBF\xBD" "B") + " ] ]", Call(id, "getData"));
}

// An asynchronous statement that takes a second, overlapped by synchronous
// readers on the same object: each reader answers the old result or the new
// one, never a mixture or a broken one.
TEST_F(MySqlCommands, OverlappedReadersSeeWholeResults)
{
    const std::string id = Connected();
    ASSERT_EQ("true", Query(id, "SELECT 'old', 'result'"));
    const std::string oldData = "[ [ \"old\", \"result\" ] ]";
    const std::string newData = "[ [ \"0\", \"7\" ] ]"; // SLEEP answers 0
    CallCommandAsync(kMySql + "runQuery", id + ", " + JsonString("SELECT SLEEP(1), 7"));
    std::vector<std::string> seen;
    const bool ended = PumpEventsUntil(
        [&] {
            const std::string data = Call(id, "getData");
            const std::string field = Call(id, "getField", "0, 1");
            const std::string count = Call(id, "getRecordCount");
            seen.push_back(data + " | " + field + " | " + count);
            return data == newData;
        },
        30000);
    EXPECT_TRUE(ended);
    // Each read sees one whole result, old or new; the three reads of one
    // round may straddle the moment the new result replaces the old.
    const std::vector<std::string> wholeReadings = {
        oldData + " | \"result\" | 1", oldData + " | \"7\" | 1", newData + " | \"7\" | 1"};
    for (const std::string& reading : seen)
        EXPECT_NE(wholeReadings.end(), std::find(wholeReadings.begin(), wholeReadings.end(), reading)) << reading;
    EXPECT_EQ(newData + " | \"7\" | 1", seen.back());
}

TEST(MySqlModule, ShutdownEndsTheConnections)
{
    const int port = ServerPort();
    std::string connectionId;
    {
        ScopedCommandCentre centre({&nxaDatabase::Frame::Descriptor()});
        const std::string id = CallCommandSync(kMySql + "create");
        ASSERT_EQ("true", Call(id, "connect", ConnectArgs(std::to_string(port), "false")));
        ASSERT_EQ("true", Query(id, "SELECT CONNECTION_ID()"));
        connectionId = Call(id, "getField", "0, 0");
    }
    ScopedCommandCentre centre({&nxaDatabase::Frame::Descriptor()});
    const std::string id = CallCommandSync(kMySql + "create");
    ASSERT_EQ("true", Call(id, "connect", ConnectArgs(std::to_string(port), "false")));
    // The user sees its own connections in the process list.
    const auto connections = [&](const std::string& which) {
        return Query(id, "SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE ID = " + which) == "true"
                   ? Call(id, "getData")
                   : Call(id, "getLastError");
    };
    ASSERT_EQ("[ [ \"1\" ] ]", connections("CONNECTION_ID()"));
    const std::string earlier = connectionId.substr(1, connectionId.size() - 2);
    EXPECT_TRUE(WaitUntil([&] { return connections(earlier) == "[ [ \"0\" ] ]"; }, 10000, nullptr, 50))
        << connections(earlier);
}
