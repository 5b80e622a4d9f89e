// Part of the row sweep's program: the sweep calls every row, and copy, cut
// and paste would type into whatever window has the focus on the machine that
// runs the tests. For the whole program their keystrokes go to a sink.
#include "keyshortcut.h"

#include <gtest/gtest.h>

namespace {

class KeystrokesToASink : public testing::Environment {
public:
    void SetUp() override
    {
        SetKeyEventSink([](const KeyEvent&) {});
    }
    void TearDown() override { SetKeyEventSink(nullptr); }
};

testing::Environment* const g_keystrokesToASink = testing::AddGlobalTestEnvironment(new KeystrokesToASink);

} // namespace
