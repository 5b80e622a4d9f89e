#include "sqlitecommands.h"

#include "commandargs.h"
#include "dbsqlite.h"
#include "nxadatabase.h"
#include "objectrows.h"
#include "resultjson.h"

#include <memory>

namespace {

ObjectMap<DbSQLite>& Databases()
{
    static ObjectMap<DbSQLite> databases(nxaDatabase::Frame::Objects());
    return databases;
}

} // namespace

namespace nxaDatabase {

json_object* __cdecl sqlCreate(CallInfo*, int32_t, json_object**)
{
    return AddObject(Databases(), std::make_shared<DbSQLite>());
}

json_object* __cdecl sqlClose(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Databases(), argc, argv, [](DbSQLite& database) {
        database.close();
        return MakeInt(0);
    });
}

json_object* __cdecl sqlError(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Databases(), argc, argv,
                      [](const DbSQLite& database) { return MakeFlag(database.hasError()); });
}

json_object* __cdecl sqlErrorDetails(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Databases(), argc, argv,
                      [](const DbSQLite& database) { return MakeText(database.getErrorDetails()); });
}

json_object* __cdecl sqlGetData(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Databases(), argc, argv,
                      [](const DbSQLite& database) { return MakeRows(database.getData()); });
}

json_object* __cdecl sqlGetField(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Databases(), argc, argv, [&](const DbSQLite& database) {
        return MakeText(database.getField(ReadInt(argv[1]), ReadInt(argv[2])));
    });
}

json_object* __cdecl sqlGetRecordCount(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Databases(), argc, argv,
                      [](const DbSQLite& database) { return MakeInt(database.getRecordCount()); });
}

json_object* __cdecl sqlGetXml(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Databases(), argc, argv,
                      [](const DbSQLite& database) { return MakeText(database.getXML()); });
}

json_object* __cdecl sqlOpen(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Databases(), argc, argv,
                      [&](DbSQLite& database) { return MakeFlag(database.open(ArgumentText(argv[1]))); });
}

json_object* __cdecl sqlRunQuery(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Databases(), argc, argv, [&](DbSQLite& database) {
        database.runQuery(ArgumentText(argv[1]));
        return MakeInt(0);
    });
}

} // namespace nxaDatabase
