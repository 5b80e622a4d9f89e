// Clicks on the menu bar and the tray menu reach the movie's menu objects:
// the form's own objects for its bar, every tray object for the tray, each
// with its own ids, in ascending id order; nothing after the module's end.
#include "appstate.h"
#include "commandcalls.h"
#include "kovaformmsw.h"
#include "kovataskbaricon.h"
#include "menutest.h"
#include "nxamenu.h"

#include <memory>

namespace {

const char* const kOpenPayload = "{ \"name\": \"Open\" }";

void ClickTray(KovaTaskBarIcon& icon, UINT id)
{
    wxCommandEvent event(wxEVT_MENU, static_cast<int>(id));
    icon.ProcessEvent(event);
}

TEST_F(MenuTest, MenuBarClickGoesToTheFormsMainMenus)
{
    KovaFormMSW* form = MakeForm(0);
    MakeForm(1);
    const std::string first = std::to_string(Create("Main", 0, 30));
    Create("Main", 1, 31);
    Create("Main", 0, 32);
    Create("Context", 0, 33);
    CallCommandSync("nxa.Menu.Main.insertHeader", first + ", \"File\"");
    CallCommandSync("nxa.Menu.Main.insertItem", first + ", \"File\", \"&Open\"");
    const std::vector<NativeItem> file = ReadNativeMenu(MenuBarHeader(form->GetHWND(), 0));
    ASSERT_EQ(1u, file.size());

    PostMessageW(form->GetHWND(), WM_COMMAND, MAKEWPARAM(file[0].id, 0), 0);
    ASSERT_TRUE(capture.WaitFor(2));
    PumpPendingMessages();
    EXPECT_EQ((std::vector<std::string>{std::string("0/30 onMenuClick ") + kOpenPayload,
                                        std::string("0/32 onMenuClick ") + kOpenPayload}),
              Events());
}

TEST_F(MenuTest, TrayClickGoesToEveryTrayMenuWithItsOwnIds)
{
    KovaTaskBarIcon& icon = AddTrayIcon();
    const std::string tray = std::to_string(Create("Tray", 0, 40));
    Create("Tray", 1, 41);
    Create("Context", 0, 42);
    CallCommandSync("nxa.Menu.Tray.insertItem", tray + ", \"Open\"");
    CallCommandSync("nxa.Menu.Tray.insertItem", tray + ", \"Gone\"");
    const std::vector<NativeItem> items = TrayItems(icon);
    ASSERT_EQ(2u, items.size());
    CallCommandSync("nxa.Menu.Tray.removeItem", tray + ", \"Gone\"");

    ClickTray(icon, items[1].id); // removed while the menu was open
    ClickTray(icon, items[0].id);
    EXPECT_EQ((std::vector<std::string>{std::string("0/40 onTrayMenuClick ") + kOpenPayload,
                                        std::string("1/41 onTrayMenuClick ") + kOpenPayload}),
              Events());
}

TEST(MenuModuleEnd, ClicksPostNothingAfterShutDown)
{
    FormFixture fixture;
    EventCapture capture;
    auto centre = std::make_unique<ScopedCommandCentre>(std::vector<ModuleDescriptor*>{&nxaMenu::Frame::Descriptor()});
    ASSERT_TRUE(centre->Initialised());
    std::unique_ptr<KovaFormMSW> form(fixture.MakeForm(PlainFormSettings()));
    GetAppState().SetTrayIcon(std::make_unique<KovaTaskBarIcon>());
    KovaTaskBarIcon& icon = *GetAppState().TrayIcon();
    const std::string main = CallCommandSync("nxa.Menu.Main.create");
    const std::string tray = CallCommandSync("nxa.Menu.Tray.create");
    CallCommandSync("nxa.Menu.Main.insertHeader", main + ", \"File\"");
    CallCommandSync("nxa.Menu.Main.insertItem", main + ", \"File\", \"Open\"");
    CallCommandSync("nxa.Menu.Tray.insertItem", tray + ", \"Open\"");
    const UINT barItem = ReadNativeMenu(MenuBarHeader(form->GetHWND(), 0)).at(0).id;
    const UINT trayItem = TrayItems(icon).at(0).id;
    auto click = [&] {
        PostMessageW(form->GetHWND(), WM_COMMAND, MAKEWPARAM(barItem, 0), 0);
        PumpPendingMessages();
        ClickTray(icon, trayItem);
    };
    click();
    EXPECT_EQ(2u, capture.Events().size());

    centre.reset();
    click();
    EXPECT_EQ(2u, capture.Events().size());
    GetAppState().SetTrayIcon(nullptr);
}

} // namespace
