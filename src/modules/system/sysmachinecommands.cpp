#include "sysmachinecommands.h"

#include "commandargs.h"
#include "objectrows.h"
#include "sysmachine.h"
#include "sysobject.h"

#include <functional>

namespace {

// Answers the fact for a known Sys id, the row's fallback otherwise.
json_object* AnswerFact(int32_t argc, json_object** argv, const std::function<json_object*()>& fact)
{
    return WithObject(Systems(), argc, argv, [&](Sys&) { return fact(); });
}

json_object* AnswerText(int32_t argc, json_object** argv, wxString (*read)())
{
    return AnswerFact(argc, argv, [read] { return MakeText(read()); });
}

json_object* AnswerInt(int32_t argc, json_object** argv, int32_t (*read)())
{
    return AnswerFact(argc, argv, [read] { return MakeInt(read()); });
}

wxString NoText()
{
    return wxString();
}

} // namespace

namespace nxaSystem {

json_object* __cdecl get_computerName(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, ComputerName);
}

json_object* __cdecl get_computerCompany(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, RegisteredOrganisation);
}

json_object* __cdecl get_computerOwner(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, LoginName);
}

json_object* __cdecl get_CPUSpeed(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerInt(argc, argv, CpuSpeedMhz);
}

json_object* __cdecl get_RAMSize(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerInt(argc, argv, PhysicalMemoryKib);
}

json_object* __cdecl get_isAdmin(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerFact(argc, argv, [] { return MakeFlag(UserIsAdmin()); });
}

json_object* __cdecl get_language(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, SystemLanguageName);
}

json_object* __cdecl get_localTime(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, LocalTimeText);
}

json_object* __cdecl get_servicePack(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, ServicePackText);
}

json_object* __cdecl get_winVerString(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, VersionText);
}

json_object* __cdecl get_verString(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, VersionText);
}

json_object* __cdecl get_winVerStringDetail(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, OsDescription);
}

json_object* __cdecl get_verStringDetail(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, OsDescription);
}

json_object* __cdecl get_linVerString(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, NoText);
}

json_object* __cdecl get_linVerStringDetail(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, NoText);
}

json_object* __cdecl get_macVerString(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, NoText);
}

json_object* __cdecl get_macVerStringDetail(CallInfo*, int32_t argc, json_object** argv)
{
    return AnswerText(argc, argv, NoText);
}

} // namespace nxaSystem
