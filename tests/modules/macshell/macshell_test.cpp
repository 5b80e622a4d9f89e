// The MacShell rows: constants for any arguments by either road, and the
// one dispatcher that the process's first create keeps.
#include "commandcalls.h"
#include "eventcapture.h"
#include "nxamacshell.h"
#include "pinnedtable.h"
#include "scopedcommandcentre.h"

#include <gtest/gtest.h>

namespace {

const std::vector<PinnedRow> kRows = {
    {"nxa.MacShell.create", kAnyArgCount, "-1"},
    {"nxa.MacShell.close", kAnyArgCount, "0"},
    {"nxa.MacShell.exec", kAnyArgCount, "0"},
    {"nxa.MacShell.exitCode", kAnyArgCount, "\"\""},
    {"nxa.MacShell.isRunning", kAnyArgCount, "false"},
    {"nxa.MacShell.output", kAnyArgCount, "\"\""},
};

TEST(MacShell, EveryRowAnswersItsConstantForAnyArguments)
{
    EventCapture events;
    ScopedCommandCentre centre({&nxaMacShell::Frame::Descriptor()});
    ASSERT_TRUE(centre.Initialised());
    ExpectPinnedTable(nxaMacShell::Frame::Descriptor(), kRows);

    // The first create of the process, by the asynchronous road.
    EXPECT_EQ(nullptr, nxaMacShell::KeptDispatcher());
    CallCommandAsync("nxa.MacShell.create", "\"ls\"", 3, 7);
    ASSERT_TRUE(PumpEventsUntil([] { return nxaMacShell::KeptDispatcher() != nullptr; }));

    // Each row answers its constant, the pinned fallback.
    for (const PinnedRow& row : kRows) {
        for (const char* args : {"", "1, \"two\", 3.5", "{ \"a\": [1] }, null, [ ]"})
            EXPECT_EQ(row.fallback, CallCommandSync(row.name, args, 1, 2))
                << row.name << "(" << args << ")";
    }

    // Later creates from other callers leave the first one's dispatcher.
    const auto kept = nxaMacShell::KeptDispatcher();
    EXPECT_EQ(3, kept->formId);
    EXPECT_EQ(7, kept->callerId);
    EXPECT_TRUE(events.Events().empty());
}

TEST(MacShell, TheDispatcherOutlivesTheModule)
{
    { ScopedCommandCentre centre({&nxaMacShell::Frame::Descriptor()}); }
    ASSERT_NE(nullptr, nxaMacShell::KeptDispatcher());
    EXPECT_EQ(3, nxaMacShell::KeptDispatcher()->formId);
}

} // namespace
