#pragma once

#include "eventcapture.h"
#include "formfixture.h"
#include "nativemenu.h"
#include "scopedcommandcentre.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class KovaFormMSW;
class KovaTaskBarIcon;

// The command centre with the Menu module, forms on the stand-in player, an
// optional tray icon and every event posted, for one test. Forms and the
// tray icon made here go at its end.
class MenuTest : public testing::Test {
protected:
    MenuTest();
    void SetUp() override;
    void TearDown() override;

    // A hidden form registered under the id.
    KovaFormMSW* MakeForm(int32_t formId, FormSettings settings = PlainFormSettings());
    // A tray icon in the application state, as in a project that asks for
    // one; it shows the image until the test hides it.
    KovaTaskBarIcon& AddTrayIcon();
    // A new object of the kind ("Context", "Main" or "Tray") by the
    // synchronous road; its id.
    static int32_t Create(const std::string& kind, int32_t formId, int32_t callerId);
    // The events posted since the start, as "form/caller name payload".
    std::vector<std::string> Events() const;

    ScopedCommandCentre centre;
    FormFixture fixture;
    EventCapture capture;

private:
    std::vector<KovaFormMSW*> m_forms;
};

// The native entries of a form's context menu and of the tray icon's menu.
std::vector<NativeItem> ContextItems(KovaFormMSW& form);
std::vector<NativeItem> TrayItems(KovaTaskBarIcon& icon);
