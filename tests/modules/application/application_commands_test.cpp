#include "applicationtestsupport.h"
#include "appstate.h"
#include "commandcalls.h"
#include "eventcapture.h"
#include "nxaapplication.h"
#include "pinnedtable.h"
#include "standinform.h"

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

// Every row of the module, in registration order: name, the count it takes,
// its default result.
const PinnedRow kRows[] = {
    {"nxa.Application.create", 0, "-1"},
    {"nxa.Application.bringToFront", 1, "0"},
    {"nxa.Application.createForm", 8, "false"},
    {"nxa.Application.delay", 2, "0"},
    {"nxa.Application.doEvents", 1, "0"},
    {"nxa.Application.enableExitHandler", 1, "0"},
    {"nxa.Application.exit", 3, "0"},
    {"nxa.Application.exitWithCode", 2, "0"},
    {"nxa.Application.getCMDParams", 2, "\"\""},
    {"nxa.Application.getEnvVar", 2, "\"\""},
    {"nxa.Application.getFormNames", 1, "[ ]"},
    {"nxa.Application.getGlobalVar", 2, "\"\""},
    {"nxa.Application.getSecureVar", 2, "\"\""},
    {"nxa.Application.init", -1, "0"},
    {"nxa.Application.maximize", 1, "0"},
    {"nxa.Application.minimize", 1, "0"},
    {"nxa.Application.minimizeToTray", 2, "0"},
    {"nxa.Application.printVar", 3, "0"},
    {"nxa.Application.restore", 1, "0"},
    {"nxa.Application.say", 2, "0"},
    {"nxa.Application.sendToBack", 1, "0"},
    {"nxa.Application.setEnvVar", 3, "0"},
    {"nxa.Application.shake", 2, "0"},
    {"nxa.Application.get_filename", 1, "\"\""},
    {"nxa.Application.get_isMinimized", 1, "true"},
    {"nxa.Application.get_path", 1, "\"\""},
    {"nxa.Application.get_title", 1, "\"\""},
    {"nxa.Application.set_title", 2, "0"},
    {"nxa.Application.set_windowStaysOnTop", 2, "0"},
    {"nxa.Application.Library.create", 0, "-1"},
    {"nxa.Application.Library.extractAllToDir", 2, "false"},
    {"nxa.Application.Library.extractAllToExecPath", 1, "false"},
    {"nxa.Application.Library.extractToExecPath", 3, "false"},
    {"nxa.Application.Library.extractToFile", 3, "false"},
    {"nxa.Application.Library.extractToVar", 2, "\"\""},
    {"nxa.Application.Kiosk.create", 0, "-1"},
    {"nxa.Application.Kiosk.disableAltEsc", 1, "0"},
    {"nxa.Application.Kiosk.disableAltF4", 1, "0"},
    {"nxa.Application.Kiosk.disableAltTab", 1, "0"},
    {"nxa.Application.Kiosk.disableAppKey", 1, "0"},
    {"nxa.Application.Kiosk.disableCtrlAltDel", 1, "0"},
    {"nxa.Application.Kiosk.disableCtrlEsc", 1, "0"},
    {"nxa.Application.Kiosk.disableRMouseButton", 1, "0"},
    {"nxa.Application.Kiosk.disableWindowsDesktop", 1, "0"},
    {"nxa.Application.Kiosk.disableWindowsStartButton", 1, "0"},
    {"nxa.Application.Kiosk.disableWindowsTaskbar", 1, "0"},
    {"nxa.Application.Kiosk.disableWinKey", 1, "0"},
    {"nxa.Application.Kiosk.enableAltEsc", 1, "0"},
    {"nxa.Application.Kiosk.enableAltF4", 1, "0"},
    {"nxa.Application.Kiosk.enableAltTab", 1, "0"},
    {"nxa.Application.Kiosk.enableAppKey", 1, "0"},
    {"nxa.Application.Kiosk.enableCtrlAltDel", 1, "0"},
    {"nxa.Application.Kiosk.enableCtrlEsc", 1, "0"},
    {"nxa.Application.Kiosk.enableRMouseButton", 1, "0"},
    {"nxa.Application.Kiosk.enableWindowsDesktop", 1, "0"},
    {"nxa.Application.Kiosk.enableWindowsStartButton", 1, "0"},
    {"nxa.Application.Kiosk.enableWindowsTaskbar", 1, "0"},
    {"nxa.Application.Kiosk.enableWinKey", 1, "0"},
    {"nxa.Application.Kiosk.installLoginScreen", 1, "0"},
    {"nxa.Application.Kiosk.uninstallLoginScreen", 1, "0"},
    {"nxa.Application.Timer.create", 0, "-1"},
    {"nxa.Application.Timer.start", 4, "0"},
    {"nxa.Application.Timer.stop", 2, "0"},
    {"nxa.Application.Timer.stopAll", 1, "0"},
};

// "first, 0, 0, ..." with count values in all.
std::string Arguments(int count, const std::string& first)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i == 0 ? first : std::string(", 0"));
    return text;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

class ApplicationCommands : public testing::Test {
protected:
    ApplicationCommands()
    {
        content.globalVariables = {{L"Level", {1, L"three"}}, {L"marker", {1, L"nxa_notFound"}}};
        content.secureVariables = {{L"key", {1, L"s\u00e9cret"}}};
    }

    // A new Application object of form 0, caller 0.
    std::string CreateApplication(int32_t formId = 0, int32_t callerId = 0)
    {
        return CallCommandSync("nxa.Application.create", "", formId, callerId);
    }

    PackageContent content;
};

TEST_F(ApplicationCommands, RegistersItsRowsInOrder)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    const ModuleDescriptor& module = nxaApplication::Frame::Descriptor();
    ASSERT_EQ(64, module.rowCount);
    ExpectPinnedTable(module, std::vector<PinnedRow>(std::begin(kRows), std::end(kRows)));
    EXPECT_EQ(64u, CommandCentre::Get().CommandCount());
}

TEST_F(ApplicationCommands, EveryRowAnswersItsDefaultForAWrongCountOrAnUnknownId)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    // An object of every kind, so that only the count is wrong below.
    std::map<std::string, std::string> ids;
    for (const char* kind : {"nxa.Application.", "nxa.Application.Library.", "nxa.Application.Kiosk.",
                             "nxa.Application.Timer."})
        ids[kind] = CallCommandSync(std::string(kind) + "create");
    for (const PinnedRow& row : kRows) {
        SCOPED_TRACE(row.name);
        if (row.argc < 0)
            continue; // "init" takes any count
        const std::string name = row.name;
        const std::string id = ids[name.substr(0, name.rfind('.') + 1)];
        EXPECT_EQ(row.fallback, CallCommandSync(name, Arguments(row.argc + 1, id))) << "one too many";
        if (row.argc > 0) {
            EXPECT_EQ(row.fallback, CallCommandSync(name, Arguments(row.argc - 1, id))) << "one short";
            EXPECT_EQ(row.fallback, CallCommandSync(name, Arguments(row.argc, "100000"))) << "unknown id";
        }
    }
    EXPECT_EQ("0", CallCommandSync("nxa.Application.init", "1, \"two\", null"));
}

// Ids are never reused within the process, so the test looks at steps.
TEST_F(ApplicationCommands, IdsCountPerKind)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    const int application = std::stoi(CreateApplication());
    const int kiosk = std::stoi(CallCommandSync("nxa.Application.Kiosk.create"));
    const int library = std::stoi(CallCommandSync("nxa.Application.Library.create"));
    EXPECT_EQ(std::to_string(application + 1), CreateApplication());
    EXPECT_EQ(std::to_string(kiosk + 1), CallCommandSync("nxa.Application.Kiosk.create"));
    EXPECT_EQ(std::to_string(library + 1), CallCommandSync("nxa.Application.Library.create"));
    EXPECT_EQ(std::to_string(application + 2), CreateApplication());
    EXPECT_EQ("-1", CallCommandSync("nxa.Application.create", "1"));
    EXPECT_EQ(std::to_string(application + 3), CreateApplication()) << "a refused create counts nothing";
}

TEST_F(ApplicationCommands, EnvironmentVariablesAreSetReadAndRemoved)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    const std::string id = CreateApplication();
    const std::string name = Quoted("KOVA_APP_TEST_VAR");
    EXPECT_EQ("null", CallCommandSync("nxa.Application.getEnvVar", id + ", " + name));
    EXPECT_EQ("0", CallCommandSync("nxa.Application.setEnvVar", id + ", " + name + ", \"a=b \\u00e9\""));
    EXPECT_EQ("\"a=b \xc3\xa9\"", CallCommandSync("nxa.Application.getEnvVar", id + ", " + name));
    EXPECT_EQ("0", CallCommandSync("nxa.Application.setEnvVar", id + ", " + name + ", \"nxa_notFound\""));
    EXPECT_EQ("null", CallCommandSync("nxa.Application.getEnvVar", id + ", " + name)) << "the sentinel text";
    EXPECT_EQ("0", CallCommandSync("nxa.Application.setEnvVar", id + ", " + name + ", \"\""));
    EXPECT_EQ("null", CallCommandSync("nxa.Application.getEnvVar", id + ", " + name)) << "empty value removes";
    EXPECT_FALSE(wxGetEnv("KOVA_APP_TEST_VAR", nullptr));
}

TEST_F(ApplicationCommands, CommandLineParametersLeaveOutTheProgram)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    const std::string id = CreateApplication();
    const int argc = wxTheApp->argc;
    for (int index : {0, -1, argc, 1000})
        EXPECT_EQ("null", CallCommandSync("nxa.Application.getCMDParams", id + ", " + std::to_string(index))) << index;
    for (int index = 1; index < argc; ++index) {
        const std::string expected = Quoted(wxTheApp->argv[index].ToStdString());
        EXPECT_EQ(expected, CallCommandSync("nxa.Application.getCMDParams", id + ", " + std::to_string(index)));
    }
}

TEST_F(ApplicationCommands, ProjectVariablesAreLookedUpExactly)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    const std::string id = CreateApplication();
    const struct {
        const char* command;
        const char* name;
        const char* answer;
    } cases[] = {
        {"nxa.Application.getGlobalVar", "Level", "\"three\""},
        {"nxa.Application.getGlobalVar", "level", "null"},
        {"nxa.Application.getGlobalVar", "marker", "null"},
        {"nxa.Application.getGlobalVar", "key", "null"},
        {"nxa.Application.getSecureVar", "key", "\"s\xc3\xa9" "cret\""},
        {"nxa.Application.getSecureVar", "Key", "null"},
        {"nxa.Application.getSecureVar", "Level", "null"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.answer, CallCommandSync(c.command, id + ", " + Quoted(c.name)))
            << c.command << " " << c.name;
}

TEST_F(ApplicationCommands, ProgramNameAndWorkingDirectory)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    const std::string id = CreateApplication();
    const std::string name = wxFileName(wxTheApp->argv[0]).GetFullName().ToStdString();
    EXPECT_EQ(Quoted(name), CallCommandSync("nxa.Application.get_filename", id));
    std::string path = (wxGetCwd() + "\\").ToStdString();
    std::string escaped;
    for (char c : path)
        escaped += c == '\\' ? std::string("\\\\") : c == '/' ? std::string("\\/") : std::string(1, c);
    EXPECT_EQ(Quoted(escaped), CallCommandSync("nxa.Application.get_path", id));
}

TEST_F(ApplicationCommands, WindowCommandsWithoutAMainFormChangeNothing)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    const std::string id = CreateApplication();
    EXPECT_EQ("0", CallCommandSync("nxa.Application.set_title", id + ", \"x\""));
    EXPECT_EQ("\"\"", CallCommandSync("nxa.Application.get_title", id));
    EXPECT_EQ("0", CallCommandSync("nxa.Application.maximize", id));
    EXPECT_EQ("true", CallCommandSync("nxa.Application.get_isMinimized", id));
    EXPECT_EQ("0", CallCommandSync("nxa.Application.shake", id + ", 3"));
    EXPECT_EQ("false", CallCommandSync("nxa.Application.createForm",
                                       "0, \"f\", \"standard\", \"none.swf\", 0, 0, 10, 10"));
}

TEST_F(ApplicationCommands, DelayIsClampedAtZero)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    const std::string id = CreateApplication();
    wxStopWatch watch;
    EXPECT_EQ("0", CallCommandSync("nxa.Application.delay", id + ", -5"));
    EXPECT_EQ("0", CallCommandSync("nxa.Application.doEvents", id));
    EXPECT_LT(watch.Time(), 1000);
    watch.Start();
    EXPECT_EQ("0", CallCommandSync("nxa.Application.delay", id + ", 150"));
    EXPECT_GE(watch.Time(), 140);
}

TEST_F(ApplicationCommands, FlagsOfTheApplicationState)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    AppState& state = GetAppState();
    const std::string id = CreateApplication();
    EXPECT_EQ("0", CallCommandSync("nxa.Application.minimizeToTray", id + ", true"));
    EXPECT_TRUE(state.MinimizeToTray());
    EXPECT_EQ("0", CallCommandSync("nxa.Application.minimizeToTray", id + ", 0"));
    EXPECT_FALSE(state.MinimizeToTray());

    std::vector<std::string> questions;
    bool answer = false;
    state.SetExitQuestion([&](const wxString& caption, const wxString& message) {
        questions.push_back((caption + "|" + message).ToStdString());
        return answer;
    });
    EXPECT_EQ("0", CallCommandSync("nxa.Application.enableExitHandler", id));
    EXPECT_TRUE(state.ExitHandlerEnabled());
    EXPECT_EQ("0", CallCommandSync("nxa.Application.exit", id + ", \"Leave\", \"Sure?\""));
    EXPECT_TRUE(state.ExitHandlerEnabled()) << "answered No";
    answer = true;
    EXPECT_EQ("0", CallCommandSync("nxa.Application.exit", id + ", \"Leave\", \"Sure?\""));
    EXPECT_FALSE(state.ExitHandlerEnabled());
    CallCommandSync("nxa.Application.enableExitHandler", id);
    EXPECT_EQ("0", CallCommandSync("nxa.Application.exit", id + ", \"\", \"ignored\""));
    EXPECT_FALSE(state.ExitHandlerEnabled()) << "no caption, no question";
    EXPECT_EQ((std::vector<std::string>{"Leave|Sure?", "Leave|Sure?"}), questions);
    state.SetExitQuestion(nullptr);

    CallCommandSync("nxa.Application.enableExitHandler", id);
    EXPECT_EQ("0", CallCommandSync("nxa.Application.exitWithCode", id + ", 3"));
    EXPECT_EQ(3, state.ExitCode());
    EXPECT_FALSE(state.ExitHandlerEnabled());
    state.ExitWithCode(0);
}

TEST_F(ApplicationCommands, FormNamesInFormIdOrder)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    StandInForm second(1, "second");
    StandInForm first(0, "first");
    const std::string id = CreateApplication();
    EXPECT_EQ("[ \"first\", \"second\" ]", CallCommandSync("nxa.Application.getFormNames", id));
}

TEST_F(ApplicationCommands, BroadcastsReachTheApplicationObjectsOfTheirForms)
{
    ApplicationModuleScope scope(content);
    ASSERT_TRUE(scope.Ready());
    CreateApplication(0, 11);
    CreateApplication(0, 12);
    CreateApplication(1, 21);
    EventCapture capture;
    nxaApplication::BroadcastEvent("{ }", "onAppMaximize");
    nxaApplication::BroadcastFormEvent(0, "onFormMaximize", "{ \"w\": 1 }");
    nxaApplication::BroadcastFormEvent(5, "onFormMaximize", "{ }");
    std::vector<std::string> seen;
    for (const AsyncEventData& event : capture.Events())
        seen.push_back(std::to_string(event.formId) + "/" + std::to_string(event.callerId) + " "
                       + wxString(event.eventName).ToStdString() + " " + wxString(event.payload).ToStdString());
    EXPECT_EQ((std::vector<std::string>{"0/11 onAppMaximize { }", "0/12 onAppMaximize { }",
                                        "1/21 onAppMaximize { }", "0/11 onFormMaximize { \"w\": 1 }",
                                        "0/12 onFormMaximize { \"w\": 1 }"}),
              seen);
}

} // namespace
