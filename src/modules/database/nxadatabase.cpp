#include "nxadatabase.h"

#include "commandargs.h"
#include "mysqlcommands.h"
#include "sqlitecommands.h"

#include <mysql.h>

#include <mutex>

namespace {

// In the module's registration order: create, then each back end's rows.
const RowSpec kRows[] = {
    {"nxa.Database.create", nxaDatabase::create, kAnyArgCount, "0", kAnyThread},

    {"nxa.Database.MySQL.create", nxaDatabase::mysCreate, 0, "-1", kAnyThread},
    {"nxa.Database.MySQL.close", nxaDatabase::mysClose, 1, "0", kObjectRow},
    {"nxa.Database.MySQL.connect", nxaDatabase::mysConnect, 7, "false", kObjectRow},
    {"nxa.Database.MySQL.getData", nxaDatabase::mysGetData, 1, "[]", kObjectRow},
    {"nxa.Database.MySQL.getField", nxaDatabase::mysGetField, 3, "\"\"", kObjectRow},
    {"nxa.Database.MySQL.getLastError", nxaDatabase::mysGetLastError, 1, "\"\"", kObjectRow},
    {"nxa.Database.MySQL.getLastInsertedId", nxaDatabase::mysGetLastInsertedId, 1, "0", kObjectRow},
    {"nxa.Database.MySQL.getRecordCount", nxaDatabase::mysGetRecordCount, 1, "0", kObjectRow},
    {"nxa.Database.MySQL.getStatus", nxaDatabase::mysGetStatus, 1, "\"\"", kObjectRow},
    {"nxa.Database.MySQL.isConnected", nxaDatabase::mysIsConnected, 1, "false", kObjectRow},
    {"nxa.Database.MySQL.runQuery", nxaDatabase::mysRunQuery, 2, "false", kObjectRow},

    {"nxa.Database.SQLite.create", nxaDatabase::sqlCreate, 0, "-1", kAnyThread},
    {"nxa.Database.SQLite.close", nxaDatabase::sqlClose, 1, "0", kObjectRow},
    {"nxa.Database.SQLite.error", nxaDatabase::sqlError, 1, "false", kObjectRow},
    {"nxa.Database.SQLite.errorDetails", nxaDatabase::sqlErrorDetails, 1, "\"\"", kObjectRow},
    {"nxa.Database.SQLite.getData", nxaDatabase::sqlGetData, 1, "[]", kObjectRow},
    {"nxa.Database.SQLite.getField", nxaDatabase::sqlGetField, 3, "\"\"", kObjectRow},
    {"nxa.Database.SQLite.getRecordCount", nxaDatabase::sqlGetRecordCount, 1, "0", kObjectRow},
    {"nxa.Database.SQLite.getXML", nxaDatabase::sqlGetXml, 1, "\"\"", kObjectRow},
    {"nxa.Database.SQLite.open", nxaDatabase::sqlOpen, 2, "false", kObjectRow},
    {"nxa.Database.SQLite.runQuery", nxaDatabase::sqlRunQuery, 2, "0", kObjectRow},
};

// The client library sets itself up on its first use; doing it here, once,
// keeps that out of the first connects, which may run on two threads at once.
void InitialiseMySqlClient()
{
    static std::once_flag once;
    std::call_once(once, [] { mysql_library_init(0, nullptr, nullptr); });
}

} // namespace

struct nxaDatabase::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
    static bool Start()
    {
        InitialiseMySqlClient();
        return true;
    }
};

template class ModuleFrame<nxaDatabase::Definition>;

namespace nxaDatabase {

std::wstring ArgumentText(json_object* value)
{
    return ReadText(value).ToStdWstring();
}

json_object* __cdecl create(CallInfo*, int32_t, json_object**)
{
    return MakeInt(0);
}

} // namespace nxaDatabase
