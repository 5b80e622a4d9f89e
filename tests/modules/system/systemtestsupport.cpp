#include "systemtestsupport.h"

#include "commandargs.h"
#include "commandcalls.h"
#include "nxasystem.h"

#include <json-c/json.h>

SystemRowsTest::SystemRowsTest()
    : m_centre({&nxaSystem::Frame::Descriptor()}), m_id(CallCommandSync("nxa.System.create"))
{
}

std::string SystemRowsTest::Arguments(const std::string& moreArgs) const
{
    return moreArgs.empty() ? m_id : m_id + ", " + moreArgs;
}

std::string SystemRowsTest::Ask(const std::string& row, const std::string& moreArgs) const
{
    return CallCommandSync("nxa.System." + row, Arguments(moreArgs));
}

void SystemRowsTest::Send(const std::string& row, const std::string& moreArgs) const
{
    CallCommandAsync("nxa.System." + row, Arguments(moreArgs));
}

std::string JsonTextOf(const wxString& text)
{
    json_object* value = MakeText(text);
    const std::string json = ToJsonText(value);
    json_object_put(value);
    return json;
}
