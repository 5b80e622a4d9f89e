// The ids of "nxa.System.create" in a fresh process: they count from 0 by
// either road, whatever the arguments, and go on counting across a restart
// of the module, which forgets the old ones. The inert modules' creates take
// no System ids.
#include "commandcalls.h"
#include "commandcentre.h"
#include "eventcapture.h"
#include "nxaapplescript.h"
#include "nxamacshell.h"
#include "nxasystem.h"
#include "scopedcommandcentre.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::vector<ModuleDescriptor*> Modules()
{
    return {&nxaSystem::Frame::Descriptor(), &nxaMacShell::Frame::Descriptor(), &nxaAppleScript::Frame::Descriptor()};
}

// getNumberOfVolumes answers 0 for a known id, its fallback -1 otherwise.
bool Known(int id)
{
    return CallCommandSync("nxa.System.getNumberOfVolumes", std::to_string(id)) == "0";
}

TEST(SystemCreate, IdsCountForTheWholeProcess)
{
    EventCapture events;
    {
        ScopedCommandCentre centre(Modules());
        ASSERT_TRUE(centre.Initialised());
        EXPECT_EQ("0", CallCommandSync("nxa.System.create"));
        EXPECT_EQ("-1", CallCommandSync("nxa.AppleScript.create", "1, \"a\""));
        // Queued calls run one at a time in order: when the AppleScript
        // create starts, the System create before it has finished.
        std::atomic<bool> markerStarted{false};
        CommandCentre::Get().SetRowObserver([&](const wxString& name) {
            if (name == "nxa.AppleScript.create")
                markerStarted = true;
        });
        CallCommandAsync("nxa.System.create", "5, \"x\"");
        CallCommandAsync("nxa.AppleScript.create");
        const bool markerCame = PumpEventsUntil([&] { return markerStarted.load(); });
        CommandCentre::Get().SetRowObserver(nullptr);
        ASSERT_TRUE(markerCame);
        EXPECT_EQ("2", CallCommandSync("nxa.System.create", "5, \"x\""));
        EXPECT_TRUE(Known(0) && Known(1) && Known(2));
        EXPECT_FALSE(Known(3));
    }
    ScopedCommandCentre restarted(Modules());
    ASSERT_TRUE(restarted.Initialised());
    EXPECT_FALSE(Known(0) || Known(1) || Known(2));
    EXPECT_EQ("-1", CallCommandSync("nxa.MacShell.create", "1, 2, 3"));
    EXPECT_EQ("3", CallCommandSync("nxa.System.create"));
    EXPECT_TRUE(Known(3));
    EXPECT_TRUE(events.Events().empty());
}

} // namespace
