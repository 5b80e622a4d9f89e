// The DX9 rows through the call road: defaults, argument counts, and that
// only calls from form 0 reach form 0's full screen.
#include "commandcalls.h"
#include "messagepumping.h"
#include "nxadx9.h"
#include "scopedcommandcentre.h"
#include "screenstandinform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

enum class MainForm { FullScreenCapable, WithoutFullScreen, Missing };

struct CommandCase {
    const char* what;
    MainForm mainForm;
    bool enterAnswer;
    const char* command;
    const char* args;
    int32_t callingFormId;
    const char* reply;
    std::vector<std::string> mainFormRequests;
};

std::vector<std::string> Describe(const std::vector<ScreenStandInForm::Request>& requests)
{
    std::vector<std::string> described;
    for (const auto& request : requests) {
        if (request.enter)
            described.push_back("enter " + std::to_string(request.width) + " " + std::to_string(request.height));
        else
            described.push_back("leave");
    }
    return described;
}

const char* const kEnable = "nxa.DX9.enable";
const char* const kDisable = "nxa.DX9.disable";
const char* const kModes = "nxa.DX9.enumerateModes";
const MainForm kCapable = MainForm::FullScreenCapable;

const CommandCase kCases[] = {
    {"create, no arguments", kCapable, true, "nxa.DX9.create", "", 0, "-1", {}},
    {"create, any arguments, any form", kCapable, true, "nxa.DX9.create", "7, \"x\"", 1, "-1", {}},
    {"enable from form 0", kCapable, true, kEnable, "0, 640, 480", 0, "true", {"enter 640 480"}},
    {"enable reads json-c integers, ignores the id", kCapable, true, kEnable, "\"id\", \"800\", 600.9", 0, "true",
     {"enter 800 600"}},
    {"enable -1 -1 asks for the current mode", kCapable, true, kEnable, "0, -1, -1", 0, "true", {"enter -1 -1"}},
    {"enable answers the form's refusal", kCapable, false, kEnable, "0, 1234, 567", 0, "false",
     {"enter 1234 567"}},
    {"enable from a second form", kCapable, true, kEnable, "0, 640, 480", 1, "false", {}},
    {"enable, too few arguments", kCapable, true, kEnable, "0, 640", 0, "false", {}},
    {"enable, too many arguments", kCapable, true, kEnable, "0, 640, 480, 1", 0, "false", {}},
    {"enable without form 0", MainForm::Missing, true, kEnable, "0, 640, 480", 0, "false", {}},
    {"enable, form 0 without full screen", MainForm::WithoutFullScreen, true, kEnable, "0, 640, 480", 0, "false",
     {}},
    {"disable from form 0", kCapable, true, kDisable, "0", 0, "0", {"leave"}},
    {"disable from a second form", kCapable, true, kDisable, "0", 1, "0", {}},
    {"disable, no arguments: full screen stays on", kCapable, true, kDisable, "", 0, "0", {}},
    {"disable, two arguments: full screen stays on", kCapable, true, kDisable, "0, 1", 0, "0", {}},
    {"disable without form 0", MainForm::Missing, true, kDisable, "0", 0, "0", {}},
    {"enumerateModes from a second form", kCapable, true, kModes, "0", 1, "[ ]", {}},
    {"enumerateModes, wrong count", kCapable, true, kModes, "", 0, "[ ]", {}},
    {"enumerateModes without form 0", MainForm::Missing, true, kModes, "0", 0, "[ ]", {}},
};

} // namespace

TEST(DX9Commands, RowsAnswerDefaultsAndOnlyForm0ReachesItsFullScreen)
{
    ScopedCommandCentre centre({&nxaDX9::Frame::Descriptor()});
    ASSERT_TRUE(centre.Initialised());
    for (const CommandCase& c : kCases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<ScreenStandInForm> capableForm0;
        std::unique_ptr<StandInForm> plainForm0;
        if (c.mainForm == MainForm::FullScreenCapable)
            capableForm0 = std::make_unique<ScreenStandInForm>(0, c.enterAnswer);
        if (c.mainForm == MainForm::WithoutFullScreen)
            plainForm0 = std::make_unique<StandInForm>(0, "main");
        ScreenStandInForm secondForm(1, true);

        EXPECT_EQ(CallCommandSync(c.command, c.args, c.callingFormId), c.reply);
        if (capableForm0) {
            EXPECT_EQ(Describe(capableForm0->Requests()), c.mainFormRequests);
        }
        EXPECT_TRUE(secondForm.Requests().empty());
    }
}

TEST(DX9Commands, QueuedCallsWorkOnTheMainThread)
{
    ScopedCommandCentre centre({&nxaDX9::Frame::Descriptor()});
    ScreenStandInForm form0(0, true);
    CallCommandAsync(kEnable, "0, 640, 480", 0);
    CallCommandAsync(kDisable, "0", 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return form0.Requests().size() == 2; }));
    EXPECT_EQ(Describe(form0.Requests()), (std::vector<std::string>{"enter 640 480", "leave"}));
    for (const auto& request : form0.Requests())
        EXPECT_EQ(request.thread, std::this_thread::get_id());
}
