// The Flash rows through the call road, by both roads: ids, and the calling
// form's movie reached on the main thread, read back from the stand-in
// player's transcript.

#include "commandcalls.h"
#include "formsroad.h"
#include "kovaformmsw.h"
#include "mainthread.h"
#include "messagepumping.h"
#include "nxaflash.h"
#include "pinnedtable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Road = FormsRoad::Road;

const int32_t kMovieForm = 0;
const int32_t kOtherForm = 1;
const int32_t kMissingForm = 9;
const char* const kUnknownId = "424242";

std::string Flash(const std::string& command)
{
    return "nxa.Flash." + command;
}

// The calling form (id 0) plays a movie that accepts "note"; form 1 plays none.
class FlashCommands : public testing::Test {
protected:
    void SetUp() override
    {
        AllowMainThreadWork(); // an earlier command centre's shut-down may have refused it
        ASSERT_TRUE(m_road.Ready());
        m_road.Fixture().SetMovie(ScriptedMovieBytes("callback note\nvar preset ready\n"));
        m_forms.push_back(m_road.Fixture().MakeForm(PlainFormSettings(), PackageSettings(), ByteVector(), kMovieForm));
        m_road.Fixture().SetMovie(ByteVector());
        m_forms.push_back(m_road.Fixture().MakeForm(PlainFormSettings(), PackageSettings(), ByteVector(), kOtherForm));
        ASSERT_TRUE(WaitForScriptsToEnd(m_road, 1));
        m_road.Fixture().Mark();
    }
    void TearDown() override
    {
        for (KovaForm* form : m_forms)
            delete form;
    }

    // A new id, made by the form given.
    std::string Create(int32_t formId = kMovieForm)
    {
        return CallCommandSync(Flash("create"), "", formId);
    }

    FormsRoad m_road;
    std::vector<KovaForm*> m_forms;
};

TEST_F(FlashCommands, RegistersItsRowsInOrder)
{
    ExpectPinnedTable(nxaFlash::Frame::Descriptor(), {
                                              {"nxa.Flash.create", 0, "-1"},
                                              {"nxa.Flash.callFunction", 4, "0"},
                                              {"nxa.Flash.getVar", 2, "\"\""},
                                              {"nxa.Flash.loadMovie", 3, "0"},
                                              {"nxa.Flash.setVar", 3, "0"},
                                          });
}

// Ids are never reused within the process, so the test looks at steps.
TEST_F(FlashCommands, IdsCountUpAndARefusedCreateUsesNone)
{
    const int first = std::stoi(Create());
    EXPECT_GE(first, 0);
    EXPECT_EQ(std::to_string(first + 1), Create(kOtherForm));
    EXPECT_EQ("-1", CallCommandSync(Flash("create"), "1"));
    EXPECT_EQ("-1", CallCommandSync(Flash("create"), "null, null"));
    EXPECT_EQ(std::to_string(first + 2), Create());
}

TEST_F(FlashCommands, TheCallingFormsMovieIsCalledWhateverFormMadeTheId)
{
    const std::string id = Create(kOtherForm);
    int round = 0;
    for (Road road : kBothRoads) {
        SCOPED_TRACE(RoadName(road));
        const std::string tag = std::to_string(++round);
        FormsRoad::Call(road, Flash("callFunction"), id + ", \"note\", \"a" + tag + ";b\", \";\"", kMovieForm);
        EXPECT_TRUE(m_road.WaitForLine("host call note arguments=2 [a" + tag + "] [b]"));
        FormsRoad::Call(road, Flash("setVar"), id + ", \"answer\", \"" + tag + "\"", kMovieForm);
        EXPECT_TRUE(m_road.WaitForLine("invoke SetVariable answer|" + tag));
        EXPECT_EQ("\"" + tag + "\"", CallCommandSync(Flash("getVar"), id + ", \"answer\"", kMovieForm));
        FormsRoad::Call(road, Flash("loadMovie"), id + ", 0, \"file:///C:/kova-absent/" + tag + ".swf\"", kMovieForm);
        EXPECT_TRUE(m_road.WaitForLine("invoke LoadMovie 1|file:///C:/kova-absent/" + tag + ".swf"));
    }
    EXPECT_EQ("\"ready\"", CallCommandSync(Flash("getVar"), id + ", \"preset\"", kMovieForm));
    EXPECT_EQ(std::vector<std::string>(), m_road.LinesOffTheMainThread());
}

TEST_F(FlashCommands, UnknownIdsAndMissingFormsAnswerTheDefaultWithoutAskingTheMovie)
{
    const std::string id = Create();
    struct Call {
        std::string command, args;
        int32_t formId;
        std::string answer;
    };
    const std::vector<Call> calls = {
        {"getVar", std::string(kUnknownId) + ", \"preset\"", kMovieForm, "\"\""},
        {"setVar", std::string(kUnknownId) + ", \"preset\", \"x\"", kMovieForm, "0"},
        {"callFunction", std::string(kUnknownId) + ", \"note\", \"a\", \";\"", kMovieForm, "0"},
        {"loadMovie", std::string(kUnknownId) + ", 0, \"x.swf\"", kMovieForm, "0"},
        {"getVar", id + ", \"preset\"", kMissingForm, "\"\""},
        {"setVar", id + ", \"preset\", \"x\"", kMissingForm, "0"},
        {"callFunction", id + ", \"note\", \"a\", \";\"", kMissingForm, "0"},
        {"loadMovie", id + ", 0, \"x.swf\"", kMissingForm, "0"},
    };
    for (const Call& call : calls) {
        SCOPED_TRACE(call.command + "(" + call.args + ") from form " + std::to_string(call.formId));
        EXPECT_EQ(call.answer, CallCommandSync(Flash(call.command), call.args, call.formId));
        FormsRoad::Call(Road::kAsync, Flash(call.command), call.args, call.formId);
    }
    // The queue runs in order: once this arrives, every call above has run.
    CallCommandAsync(Flash("setVar"), id + ", \"done\", \"1\"", kMovieForm);
    ASSERT_TRUE(m_road.WaitForLine("invoke SetVariable done|1"));
    EXPECT_EQ(std::vector<std::string>({m_road.LinesWith("invoke SetVariable done|1").front()}),
              m_road.LinesWith("invoke "))
        << "only the last call may reach the movie";
    EXPECT_EQ("\"ready\"", CallCommandSync(Flash("getVar"), id + ", \"preset\"", kMovieForm)) << "set by none";
}

} // namespace
