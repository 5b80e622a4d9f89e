#include "mysqlcommands.h"

#include "commandargs.h"
#include "dbmysql.h"
#include "nxadatabase.h"
#include "objectrows.h"
#include "resultjson.h"

#include <memory>

namespace {

ObjectMap<DbMySQL>& Connections()
{
    static ObjectMap<DbMySQL> connections(nxaDatabase::Frame::Objects());
    return connections;
}

// Compression is asked for with "true" in any letter case (the JSON boolean
// true reads as "true" too); any other text asks for none.
bool ReadCompressText(json_object* value)
{
    return ReadText(value).Lower() == L"true";
}

} // namespace

namespace nxaDatabase {

json_object* __cdecl mysCreate(CallInfo*, int32_t, json_object**)
{
    return AddObject(Connections(), std::make_shared<DbMySQL>());
}

json_object* __cdecl mysClose(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Connections(), argc, argv, [](DbMySQL& connection) {
        connection.close();
        return MakeInt(0);
    });
}

json_object* __cdecl mysConnect(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Connections(), argc, argv, [&](DbMySQL& connection) {
        return MakeFlag(connection.connect(ArgumentText(argv[1]), ReadPortText(ArgumentText(argv[2])), ReadCompressText(argv[3]),
                                           ArgumentText(argv[4]), ArgumentText(argv[5]), ArgumentText(argv[6])));
    });
}

json_object* __cdecl mysGetData(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Connections(), argc, argv,
                      [](const DbMySQL& connection) { return MakeRows(connection.getData()); });
}

json_object* __cdecl mysGetField(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Connections(), argc, argv, [&](const DbMySQL& connection) {
        return MakeText(connection.getField(ReadInt(argv[1]), ReadInt(argv[2])));
    });
}

json_object* __cdecl mysGetLastError(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Connections(), argc, argv,
                      [](const DbMySQL& connection) { return MakeText(connection.getLastError()); });
}

json_object* __cdecl mysGetLastInsertedId(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Connections(), argc, argv,
                      [](const DbMySQL& connection) { return MakeInt(connection.getLastInsertedId()); });
}

json_object* __cdecl mysGetRecordCount(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Connections(), argc, argv,
                      [](const DbMySQL& connection) { return MakeInt(connection.getRecordCount()); });
}

json_object* __cdecl mysGetStatus(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Connections(), argc, argv,
                      [](const DbMySQL& connection) { return MakeText(connection.getStatus()); });
}

json_object* __cdecl mysIsConnected(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Connections(), argc, argv,
                      [](const DbMySQL& connection) { return MakeFlag(connection.isConnected()); });
}

json_object* __cdecl mysRunQuery(CallInfo*, int32_t argc, json_object** argv)
{
    return WithObject(Connections(), argc, argv,
                      [&](DbMySQL& connection) { return MakeFlag(connection.runQuery(ArgumentText(argv[1]))); });
}

} // namespace nxaDatabase
