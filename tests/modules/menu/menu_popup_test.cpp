// The menus as a user meets them: the context menu pops up at a right-button
// release, the tray menu at a click on the icon; both are read on screen and
// an entry is picked with the keyboard.
#include "commandcalls.h"
#include "kovaformmsw.h"
#include "kovataskbaricon.h"
#include "menutest.h"
#include "popupmenudriver.h"

namespace {

std::wstring Texts(const std::vector<NativeItem>& items)
{
    std::wstring texts;
    for (const NativeItem& item : items)
        texts += (item.Separator() ? std::wstring(L"-") : item.text) + L"|";
    return texts;
}

TEST_F(MenuTest, RightButtonReleasePopsUpTheContextMenuAndAPickReachesTheFormsObjects)
{
    FormSettings settings = PlainFormSettings();
    settings.visible = true;
    settings.rightButtonMode = 1; // withheld from the movie: the context menu's button
    KovaFormMSW* form = MakeForm(0, settings);
    MakeForm(1);
    const std::string context = std::to_string(Create("Context", 0, 20));
    Create("Context", 1, 21);
    Create("Context", 0, 22);
    CallCommandSync("nxa.Menu.Context.insertItem", context + ", \"Copy\"");
    CallCommandSync("nxa.Menu.Context.insertDivider", context);
    CallCommandSync("nxa.Menu.Context.insertItem", context + ", \"Paste\"");
    CallCommandSync("nxa.Menu.Context.enable", context);
    HWND window = form->GetHWND();
    SetForegroundWindow(window);
    ASSERT_TRUE(PumpMessagesUntil([&] { return GetForegroundWindow() == window; }));

    PopupMenuDriver driver(2);
    SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(40, 30));
    ASSERT_TRUE(driver.Join());
    EXPECT_EQ(L"Copy|-|Paste|", Texts(driver.Items()));
    ASSERT_TRUE(capture.WaitFor(2));
    PumpPendingMessages();
    const std::string payload = "onContextMenuClick { \"name\": \"Paste\" }";
    EXPECT_EQ((std::vector<std::string>{"0/20 " + payload, "0/22 " + payload}), Events());
}

TEST_F(MenuTest, TrayMenuShowsItsStatesAndAPickReachesEveryTrayMenu)
{
    KovaTaskBarIcon& icon = AddTrayIcon();
    const std::string tray = std::to_string(Create("Tray", 0, 40));
    Create("Tray", 1, 41);
    for (const char* label : {"Open", "Grey", "Mark"})
        CallCommandSync("nxa.Menu.Tray.insertItem", tray + ", \"" + label + "\"");
    CallCommandSync("nxa.Menu.Tray.insertDivider", tray);
    CallCommandSync("nxa.Menu.Tray.insertItem", tray + ", \"Last\"");
    CallCommandSync("nxa.Menu.Tray.itemEnabled", tray + ", \"Grey\", false");
    CallCommandSync("nxa.Menu.Tray.itemChecked", tray + ", \"Mark\", true");
    const std::vector<NativeItem> defined = TrayItems(icon);
    ASSERT_EQ(5u, defined.size());

    PopupMenuDriver driver(0);
    const UINT iconMessage = RegisterWindowMessageW(L"wxTaskBarIconMessage");
    PostMessageW(static_cast<HWND>(icon.IconWindow()), iconMessage, 99, WM_RBUTTONUP);
    PumpMessagesUntil([&] { return capture.Events().size() >= 2; }, 15000);
    ASSERT_TRUE(driver.Join());

    const std::vector<NativeItem>& shown = driver.Items();
    ASSERT_EQ(L"Open|Grey|Mark|-|Last|", Texts(shown));
    EXPECT_FALSE(shown[0].Grayed());
    EXPECT_TRUE(shown[1].Grayed());
    EXPECT_TRUE(shown[2].Checked()) << "a normal item's mark is copied too";
    EXPECT_FALSE(shown[0].Checked());
    EXPECT_FALSE(shown[4].Checked());
    for (size_t position = 0; position < shown.size(); ++position)
        EXPECT_EQ(defined[position].id, shown[position].id) << position;
    const std::string payload = "onTrayMenuClick { \"name\": \"Open\" }";
    EXPECT_EQ((std::vector<std::string>{"0/40 " + payload, "1/41 " + payload}), Events());
}

} // namespace
