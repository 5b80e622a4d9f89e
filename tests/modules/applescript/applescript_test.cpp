// The AppleScript rows: constants for any arguments by either road.
#include "commandcalls.h"
#include "commandcentre.h"
#include "eventcapture.h"
#include "nxaapplescript.h"
#include "pinnedtable.h"
#include "scopedcommandcentre.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

const std::vector<PinnedRow> kRows = {
    {"nxa.AppleScript.create", kAnyArgCount, "-1"},
    {"nxa.AppleScript.compileScript", kAnyArgCount, "false"},
    {"nxa.AppleScript.getCompilationError", kAnyArgCount, "\"\""},
    {"nxa.AppleScript.getLastError", kAnyArgCount, "\"\""},
    {"nxa.AppleScript.getProperty", kAnyArgCount, "\"\""},
    {"nxa.AppleScript.getResult", kAnyArgCount, "\"\""},
    {"nxa.AppleScript.run", kAnyArgCount, "false"},
    {"nxa.AppleScript.runEvent", kAnyArgCount, "false"},
    {"nxa.AppleScript.setProperty", kAnyArgCount, "0"},
    {"nxa.AppleScript.setScript", kAnyArgCount, "0"},
};

TEST(AppleScript, EveryRowAnswersItsConstantForAnyArguments)
{
    EventCapture events;
    ScopedCommandCentre centre({&nxaAppleScript::Frame::Descriptor()});
    ASSERT_TRUE(centre.Initialised());
    ExpectPinnedTable(nxaAppleScript::Frame::Descriptor(), kRows);

    // Each row answers its constant, the pinned fallback.
    for (const PinnedRow& row : kRows) {
        for (const char* args : {"", "1, \"two\", 3.5", "{ \"a\": [1] }, null, [ ]"})
            EXPECT_EQ(row.fallback, CallCommandSync(row.name, args))
                << row.name << "(" << args << ")";
    }

    // By the asynchronous road every row runs and nothing is posted.
    std::atomic<size_t> ran{0};
    CommandCentre::Get().SetRowObserver([&](const wxString&) { ++ran; });
    for (const PinnedRow& row : kRows)
        CallCommandAsync(row.name, "\"script\", 2");
    const bool allRan = PumpEventsUntil([&] { return ran == kRows.size(); });
    CommandCentre::Get().SetRowObserver(nullptr);
    EXPECT_TRUE(allRan);
    EXPECT_TRUE(events.Events().empty());
}

} // namespace
