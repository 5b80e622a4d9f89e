#include "commandcalls.h"
#include "commandcentre.h"
#include "scopedcommandcentre.h"
#include "testmodule.h"
#include "unknowncommandcapture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class RowRules : public testing::Test {
protected:
    RowRules() { TestModuleLog::Reset(); }

    ScopedCommandCentre centre{{&TestModule()}};
    UnknownCommandCapture unknown;
};

TEST_F(RowRules, WrongCountsAnswerTheFallbackWithoutRunningTheHandler)
{
    ASSERT_TRUE(centre.Initialised());
    for (const char* args : {"", "1", "1, 2, 3"})
        EXPECT_EQ("\"wrong\"", CallCommandSync("nxa.Test.counted", args)) << args;
    EXPECT_TRUE(TestModuleLog::Calls().empty());
    EXPECT_EQ("0", CallCommandSync("nxa.Test.counted", "7, 8"));
    ASSERT_EQ(1u, TestModuleLog::Calls().size());
    EXPECT_EQ(7, TestModuleLog::Calls()[0].value);
    // Rows without a rule take any count.
    EXPECT_EQ("[ 1, 2, 3 ]", CallCommandSync("nxa.Test.echo", "1, 2, 3"));
}

TEST_F(RowRules, UnknownObjectIdsAnswerTheFallbackAndIdsCountFromZero)
{
    EXPECT_EQ("0", CallCommandSync("nxa.Test.Thing.create", "41"));
    EXPECT_EQ("1", CallCommandSync("nxa.Test.Thing.create", "42"));
    const struct { const char *args, *expected; } cases[] = {
        {"0", "41"}, {"1", "42"}, {"2", "-3"}, {"-1", "-3"}, {"null", "41"}, {"\"1\"", "42"}, {"[]", "41"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CallCommandSync("nxa.Test.Thing.value", c.args)) << c.args;
}

TEST_F(RowRules, MainThreadRowsRunOnTheMainThreadByEitherRoad)
{
    CallCommandAsync("nxa.Test.mainOnly", "1");
    CallCommandAsync("nxa.Test.record", "2");
    ASSERT_TRUE(PumpEventsUntil([] { return TestModuleLog::Calls().size() == 2; }));
    EXPECT_EQ("0", CallCommandSync("nxa.Test.mainOnly", "3"));
    const auto calls = TestModuleLog::Calls();
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ(1, calls[0].value);
    EXPECT_TRUE(calls[0].onMainThread);
    EXPECT_EQ(1, calls[0].isAsync);
    EXPECT_FALSE(calls[1].onMainThread);
    EXPECT_TRUE(calls[2].onMainThread);
}

TEST_F(RowRules, AHandlerThatThrowsAnswersItsFallbackAndTheCentreGoesOn)
{
    EXPECT_EQ("[ ]", CallCommandSync("nxa.Test.throw", "\"huge\""));
    CallCommandAsync("nxa.Test.throw");
    CallCommandAsync("nxa.Test.record", "5");
    ASSERT_TRUE(PumpEventsUntil([] { return TestModuleLog::Calls().size() == 1; }));
    EXPECT_EQ(5, TestModuleLog::Calls()[0].value);
    EXPECT_EQ("[ 1 ]", CallCommandSync("nxa.Test.echo", "1"));
}

TEST_F(RowRules, RulesAreKnownByNameForBuiltInRowsOnly)
{
    RowRule rule{};
    ASSERT_TRUE(CommandCentre::Get().FindRule("nxa.Test.Thing.value", rule));
    EXPECT_EQ(1, rule.argc);
    EXPECT_TRUE(rule.TakesObject());
    EXPECT_FALSE(rule.RunsOnMainThread());
    EXPECT_FALSE(CommandCentre::Get().FindRule("nxa.Test.missing", rule));
    const auto names = CommandCentre::Get().CommandNames();
    EXPECT_EQ(CommandCentre::Get().CommandCount(), names.size());
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
}

} // namespace
