#include "commandargs.h"
#include "commandcalls.h"
#include "commandcentre.h"
#include "modulelist.h"
#include "scopedcommandcentre.h"
#include "standinform.h"
#include "testmodule.h"
#include "unknowncommandcapture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wxString kEmptyReply = "<string></string>";

class Dispatch : public testing::Test {
protected:
    ScopedCommandCentre centre{{&TestModule()}};
    UnknownCommandCapture unknown;
};

TEST_F(Dispatch, SynchronousCallsAnswerTheHandlersJsonText)
{
    ASSERT_TRUE(centre.Initialised());
    const struct { const char *name, *args, *expected; } cases[] = {
        {"nxa.Test.echo", "1, \"a/b\", null, true, 2.5", "[ 1, \"a\\/b\", null, true, 2.5 ]"},
        {"nxa.Test.nothing", "", "null"},
        {"nxa.Test.empty", "", "{ }"},
        {"nxa.Test.callInfo", "", "{ \"formId\": 3, \"callerId\": -9, \"isAsync\": 0, \"reserved\": 0, \"argvNull\": true }"},
        {"nxa.Test.callInfo", "0", "{ \"formId\": 3, \"callerId\": -9, \"isAsync\": 0, \"reserved\": 0, \"argvNull\": false }"},
    };
    for (const auto& c : cases) {
        const wxString script = MakeScriptText(false, 3, -9, MakeCommandText(c.name, c.args));
        EXPECT_EQ(c.expected, DecodeReply(CommandCentre::Get().OnCommand(3, script))) << c.name;
    }
    EXPECT_TRUE(unknown.Reports().empty());
}

TEST_F(Dispatch, MalformedCallTextsAnswerTheEmptyElementAndRunNothing)
{
    TestModuleLog::Reset();
    const wxString payload = MakeScriptText(false, 0, 0, MakeCommandText("nxa.Test.record", "1"));
    const wxString scripts[] = {
        "",
        "document.title",
        "try { __flash__toXML(TevOnCommand(false,0,\"WyJueGEuVGVzdC5yZWNvcmQiXQ==\")) ; } catch (e) {}",
        "try { __flash__toXML(TevOnCommand(false,0,0,\"\")) ; } catch (e) {}",
        "TevOnCommand(false,0,0,\"WyJueGEuVGVzdC5yZWNvcmQiXQ==",
    };
    for (const auto& script : scripts)
        EXPECT_EQ(kEmptyReply, CommandCentre::Get().OnCommand(0, script)) << script;
    EXPECT_TRUE(TestModuleLog::Calls().empty());
    EXPECT_TRUE(unknown.Reports().empty());
}

TEST_F(Dispatch, CommandTextsThatAreNotANonEmptyArrayGiveTheEmptyReply)
{
    for (const char* text : {"[]", "", "not json", "{\"a\": 1}", "\"nxa.Test.echo\"", "[\"nxa.Test.echo\""})
        EXPECT_EQ(wxString(), CommandCentre::Get().ExecuteCommand(text, 0, 0, 0)) << text;
    EXPECT_TRUE(unknown.Reports().empty());
}

TEST_F(Dispatch, UnknownCommandIsReportedAndAnswersTheEmptyElement)
{
    EXPECT_EQ(kEmptyReply, CommandCentre::Get().ExecuteCommand("[\"nxa.Test.missing\", 1]", 0, 0, 0));
    // A name that is not a string is looked up by its JSON text.
    EXPECT_EQ(kEmptyReply, CommandCentre::Get().ExecuteCommand("[5]", 0, 0, 0));
    EXPECT_EQ(kEmptyReply, CommandCentre::Get().ExecuteCommand("[null]", 0, 0, 0));
    // Names compare exactly.
    EXPECT_EQ(kEmptyReply, CommandCentre::Get().ExecuteCommand("[\"nxa.test.echo\"]", 0, 0, 0));
    const auto reports = unknown.Reports();
    ASSERT_EQ(4u, reports.size());
    EXPECT_EQ("Error: Couldn't resolve command 'nxa.Test.missing()'!\n", reports[0].message);
    EXPECT_EQ("Error: Couldn't resolve command '5()'!\n", reports[1].message);
    EXPECT_EQ("Error: Couldn't resolve command 'null()'!\n", reports[2].message);
    EXPECT_EQ("Error: Couldn't resolve command 'nxa.test.echo()'!\n", reports[3].message);
}

TEST_F(Dispatch, InitAnswersFromTheCallingInstancesForm)
{
    StandInForm direct(0, "main");
    StandInForm loader(1, "old", false, "C:\\Temp\\old/movie.swf");
    const struct { int32_t instanceFormId; bool isAsync; const char* expected; } cases[] = {
        {0, false, "\"0\""},
        {0, true, "\"0\""}, // answered at once whatever the flag says
        {1, false, "{ \"formId\": 1, \"swfName\": \"C:\\\\Temp\\\\old\\/movie.swf\" }"},
        {2, false, ""},     // no such form: the empty string element
    };
    for (const auto& c : cases) {
        // The ids inside the call text do not matter; the instance's form does.
        const wxString script = MakeScriptText(c.isAsync, 7, 8, MakeCommandText("nxa.Test.echo", "\"nxa.init\""));
        EXPECT_EQ(c.expected, DecodeReply(CommandCentre::Get().OnCommand(c.instanceFormId, script)))
            << c.instanceFormId;
    }
}

TEST_F(Dispatch, FormMapFindsByIdAndName)
{
    StandInForm first(0, "same");
    StandInForm second(1, "same");
    StandInForm third(2, "other");
    StandInForm duplicate(1, "late");
    EXPECT_FALSE(duplicate.Registered());
    EXPECT_EQ(&first, CommandCentre::Get().FindFormByName("same"));
    EXPECT_EQ(&third, CommandCentre::Get().FindFormByName("other"));
    EXPECT_EQ(nullptr, CommandCentre::Get().FindFormByName("Other"));
    EXPECT_EQ((std::vector<wxString>{"same", "same", "other"}), CommandCentre::Get().GetFormNames());
    EXPECT_EQ(nullptr, CommandCentre::Get().FindForm(3));
}

// Modules that count their calls, one of which can fail.
int g_initialised[3];
int g_shutDown[3];
bool g_secondFails;
ModuleDescriptor g_modules[3];

template <int index>
json_object* __cdecl AnswerIndex(CallInfo*, int32_t, json_object**)
{
    return MakeInt(index);
}

template <int index>
bool CountingInitialise()
{
    ++g_initialised[index];
    if (index == 1 && g_secondFails)
        return false;
    AppendCommandRow(g_modules[index], "nxa.Counting.shared", AnswerIndex<index>);
    if (index == 0)
        AppendCommandRow(g_modules[index], "nxa.Counting.noHandler", nullptr);
    return true;
}

template <int index>
void CountingShutdown()
{
    ++g_shutDown[index];
    ReleaseCommandRows(g_modules[index]);
}

std::vector<ModuleDescriptor*> CountingModules(bool secondFails)
{
    g_secondFails = secondFails;
    g_modules[0] = MakeModuleDescriptor(CountingInitialise<0>, CountingShutdown<0>);
    g_modules[1] = MakeModuleDescriptor(CountingInitialise<1>, CountingShutdown<1>);
    g_modules[2] = MakeModuleDescriptor(CountingInitialise<2>, CountingShutdown<2>);
    for (int i = 0; i < 3; ++i)
        g_initialised[i] = g_shutDown[i] = 0;
    return {&g_modules[0], &g_modules[1], &g_modules[2]};
}

TEST(ModuleLifecycle, FailingModuleStopsInitialisationAndShutdownStillReachesAll)
{
    CommandCentre& centre = CommandCentre::Get();
    EXPECT_FALSE(centre.Initialise(CountingModules(true), {}));
    EXPECT_EQ(1, g_initialised[0]);
    EXPECT_EQ(1, g_initialised[1]);
    EXPECT_EQ(0, g_initialised[2]);
    centre.Shutdown();
    EXPECT_EQ(1, g_shutDown[0]);
    EXPECT_EQ(1, g_shutDown[1]);
    EXPECT_EQ(1, g_shutDown[2]);
    EXPECT_EQ(0u, centre.CommandCount());
    // Shutting down again, with nothing set up, is harmless.
    centre.Shutdown();
}

TEST(ModuleLifecycle, RowEnteredLastWins)
{
    CommandCentre& centre = CommandCentre::Get();
    ASSERT_TRUE(centre.Initialise(CountingModules(false), {}));
    EXPECT_EQ(2u, centre.CommandCount());
    EXPECT_EQ("2", CallCommandSync("nxa.Counting.shared"));
    // Rows are entered without inspection: a row without handler answers "null".
    EXPECT_EQ("null", CallCommandSync("nxa.Counting.noHandler"));
    centre.Shutdown();
    EXPECT_EQ(nullptr, g_modules[0].rows);
    EXPECT_EQ(0, g_modules[0].rowCount);
}

TEST(ModuleLifecycle, BuiltInListHasTwentyNineModulesInStartUpOrder)
{
    const char* const expected[] = {
        "Application", "Forms",    "AppleScript", "Audio",       "Browser", "COMPort", "Clipboard", "Database",
        "Dialogs",     "DLL",      "DX9",         "Encryption",  "FileSystem", "Flash", "FTP",     "HTTP",
        "Image",       "Input",    "MacShell",    "MediaPlayer", "Menu",    "PDF",     "Process",   "QuickTime",
        "RealMedia",   "System",   "Network",     "Video",       "Zip",
    };
    const auto& table = BuiltInModuleTable();
    ASSERT_EQ(29u, table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_STREQ(expected[i], table[i].name);
        ASSERT_NE(nullptr, table[i].descriptor);
    }
    const auto modules = BuiltInModules();
    ASSERT_EQ(29u, modules.size());
    EXPECT_EQ(table[13].descriptor, modules[13]);

    CommandCentre& centre = CommandCentre::Get();
    ASSERT_TRUE(centre.Initialise(modules, {}));
    // No two built-in rows share a name.
    size_t rows = 0;
    for (const ModuleDescriptor* module : modules)
        rows += static_cast<size_t>(module->rowCount);
    EXPECT_EQ(rows, centre.CommandCount());
    centre.Shutdown();
}

} // namespace
