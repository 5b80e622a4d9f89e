// The Menu rows through the call road, by both roads, on real forms and a
// real tray icon, read back from the native menus.
#include "appstate.h"
#include "commandcalls.h"
#include "kovaformmsw.h"
#include "kovataskbaricon.h"
#include "menucalls.h"
#include "menutest.h"
#include "nxamenu.h"
#include "pinnedtable.h"
#include "wholefile.h"

#include <wx/menu.h>


namespace {

using Items = std::vector<NativeItem>;

std::wstring Texts(const Items& items)
{
    std::wstring texts;
    for (const NativeItem& item : items)
        texts += (item.Separator() ? std::wstring(L"-") : item.text) + L"|";
    return texts;
}

std::string Id(int32_t id)
{
    return std::to_string(id);
}

TEST_F(MenuTest, PinnedTableAndCreateCounts)
{
    ExpectPinnedTable(nxaMenu::Frame::Descriptor(), {
        {"nxa.Menu.Context.create", 0, "-1"},
        {"nxa.Menu.Context.disable", 1, "0"},
        {"nxa.Menu.Context.enable", 1, "0"},
        {"nxa.Menu.Context.insertDivider", 1, "0"},
        {"nxa.Menu.Context.insertItem", 2, "0"},
        {"nxa.Menu.Context.itemChecked", 3, "0"},
        {"nxa.Menu.Context.itemEnabled", 3, "0"},
        {"nxa.Menu.Context.itemVisible", kAnyArgCount, "0"},
        {"nxa.Menu.Context.removeItem", 2, "0"},
        {"nxa.Menu.Context.set_menuType", kAnyArgCount, "0"},
        {"nxa.Menu.Main.create", 0, "-1"},
        {"nxa.Menu.Main.insertDivider", 2, "0"},
        {"nxa.Menu.Main.insertHeader", 2, "0"},
        {"nxa.Menu.Main.insertItem", 3, "0"},
        {"nxa.Menu.Main.itemChecked", 4, "0"},
        {"nxa.Menu.Main.itemEnabled", 4, "0"},
        {"nxa.Menu.Main.itemVisible", 4, "0"},
        {"nxa.Menu.Main.removeHeader", 2, "0"},
        {"nxa.Menu.Main.removeItem", 3, "0"},
        {"nxa.Menu.Main.set_menuType", 2, "0"},
        {"nxa.Menu.Tray.create", 0, "-1"},
        {"nxa.Menu.Tray.hideIcon", 1, "0"},
        {"nxa.Menu.Tray.insertDivider", 1, "0"},
        {"nxa.Menu.Tray.insertItem", 2, "0"},
        {"nxa.Menu.Tray.itemChecked", 3, "0"},
        {"nxa.Menu.Tray.itemEnabled", 3, "0"},
        {"nxa.Menu.Tray.itemVisible", kAnyArgCount, "0"},
        {"nxa.Menu.Tray.removeItem", 2, "0"},
        {"nxa.Menu.Tray.setIcon", 2, "0"},
        {"nxa.Menu.Tray.showBalloon", 6, "0"},
        {"nxa.Menu.Tray.showIcon", 1, "0"},
        {"nxa.Menu.Tray.set_iconHint", 2, "0"},
        {"nxa.Menu.Tray.set_menuType", 2, "0"},
    });
    // Each kind counts its own ids; a create with an argument makes nothing.
    for (const char* kind : {"Context", "Main", "Tray"}) {
        SCOPED_TRACE(kind);
        const int32_t first = Create(kind, 0, 0);
        EXPECT_EQ("-1", CallCommandSync(std::string("nxa.Menu.") + kind + ".create", "1"));
        EXPECT_EQ(first + 1, Create(kind, 0, 0));
    }
    // The visibility and type rows answer 0 for any arguments.
    for (const char* args : {"", "1, 2, 3, 4, 5", "\"x\""}) {
        EXPECT_EQ("0", CallCommandSync("nxa.Menu.Context.itemVisible", args));
        EXPECT_EQ("0", CallCommandSync("nxa.Menu.Context.set_menuType", args));
        EXPECT_EQ("0", CallCommandSync("nxa.Menu.Tray.itemVisible", args));
    }
}

class MenuRoads : public MenuTest, public testing::WithParamInterface<Road> {
protected:
    MenuCalls calls{GetParam()};

    void TearDown() override
    {
        EXPECT_FALSE(calls.RanOffMainThread());
        MenuTest::TearDown();
    }
};

INSTANTIATE_TEST_SUITE_P(Roads, MenuRoads, testing::Values(Road::kSync, Road::kAsync),
                         [](const testing::TestParamInfo<Road>& info) {
                             return info.param == Road::kSync ? "Sync" : "Async";
                         });

TEST_P(MenuRoads, TrayRowsWithoutATrayIconAnswerZero)
{
    const int32_t tray = Create("Tray", 0, 0);
    EXPECT_EQ(tray + 1, Create("Tray", 0, 0));
    EXPECT_EQ(tray + 2, Create("Tray", 0, 0));
    const std::string id = Id(tray);
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"hideIcon", id},
        {"insertDivider", id},
        {"insertItem", id + ", \"a\""},
        {"itemChecked", id + ", \"a\", true"},
        {"itemEnabled", id + ", \"a\", false"},
        {"itemVisible", id + ", \"a\", false"},
        {"removeItem", id + ", \"a\""},
        {"setIcon", id + ", \"C:\\\\nowhere.ico\""},
        {"showBalloon", id + ", \"text\", \"title\", \"info\", 1000, null"},
        {"showIcon", id},
        {"set_iconHint", id + ", \"hint\""},
        {"set_menuType", id + ", \"type\""},
    };
    for (const auto& row : rows) {
        const std::string answer = calls.Call(std::string("nxa.Menu.Tray.") + row.first, row.second);
        if (GetParam() == Road::kSync) {
            EXPECT_EQ("0", answer) << row.first;
        }
    }
    EXPECT_TRUE(calls.Finish());
    EXPECT_EQ(nullptr, GetAppState().TrayIcon());
}

TEST_P(MenuRoads, ItemIdsAreOneSequenceForEveryMenu)
{
    KovaFormMSW* first = MakeForm(0);
    KovaFormMSW* second = MakeForm(1);
    KovaTaskBarIcon& tray = AddTrayIcon();
    const std::string context = Id(Create("Context", 0, 0));
    const std::string main = Id(Create("Main", 1, 0));
    const std::string trayMenu = Id(Create("Tray", 0, 0));
    calls.Call("nxa.Menu.Context.insertItem", context + ", \"one\"", 0);
    calls.Call("nxa.Menu.Context.insertDivider", context, 0);
    calls.Call("nxa.Menu.Main.insertHeader", main + ", \"File\"", 1);
    calls.Call("nxa.Menu.Main.insertItem", main + ", \"File\", \"two\"", 1);
    calls.Call("nxa.Menu.Main.insertDivider", main + ", \"File\"", 1);
    calls.Call("nxa.Menu.Tray.insertItem", trayMenu + ", \"three\"");
    ASSERT_TRUE(calls.Finish());
    const Items before = ContextItems(*first);
    const Items fileItems = ReadNativeMenu(MenuBarHeader(second->GetHWND(), 0));
    const Items trayItems = TrayItems(tray);
    ASSERT_EQ(L"one|-|", Texts(before));
    ASSERT_EQ(L"two|-|", Texts(fileItems));
    ASSERT_EQ(L"three|", Texts(trayItems));
    const UINT one = before[0].id;
    EXPECT_LE(4000u, one);
    EXPECT_EQ(one + 1, fileItems[0].id) << "on another form; the divider took none";
    EXPECT_EQ(one + 2, trayItems[0].id);

    calls.Call("nxa.Menu.Context.removeItem", context + ", \"one\"", 0);
    calls.Call("nxa.Menu.Context.insertItem", context + ", \"four\"", 0);
    ASSERT_TRUE(calls.Finish());
    const Items after = ContextItems(*first);
    ASSERT_EQ(L"-|four|", Texts(after));
    EXPECT_EQ(one + 3, after[1].id) << "the removed item's id is not given again";
}

TEST_P(MenuRoads, MenuBarHeadersAndItemsReadNatively)
{
    KovaFormMSW* form = MakeForm(0);
    const std::string main = Id(Create("Main", 0, 0));
    for (const char* args : {"\"File\"", "\"Edit\"", "\"Gone\""})
        calls.Call("nxa.Menu.Main.insertHeader", main + ", " + args);
    for (const char* args : {"\"File\", \"Open\"", "\"File\", \"Save\"", "\"File\", \"Save\"", "\"Edit\", \"Cut\"",
                             "\"Gone\", \"Away\"", "\"Nowhere\", \"Lost\""})
        calls.Call("nxa.Menu.Main.insertItem", main + ", " + args);
    calls.Call("nxa.Menu.Main.insertDivider", main + ", \"File\"");
    calls.Call("nxa.Menu.Main.insertDivider", main + ", \"Nowhere\"");
    calls.Call("nxa.Menu.Main.itemChecked", main + ", \"File\", \"Save\", true");
    calls.Call("nxa.Menu.Main.itemChecked", main + ", \"Edit\", \"Cut\", true");
    calls.Call("nxa.Menu.Main.itemEnabled", main + ", \"File\", \"Open\", false");
    calls.Call("nxa.Menu.Main.removeItem", main + ", \"Edit\", \"Cut\"");
    calls.Call("nxa.Menu.Main.removeItem", main + ", \"Edit\", \"Missing\"");
    calls.Call("nxa.Menu.Main.removeHeader", main + ", \"Gone\"");
    calls.Call("nxa.Menu.Main.removeHeader", main + ", \"Missing\"");
    calls.Call("nxa.Menu.Main.itemVisible", main + ", \"File\", \"Open\", false");
    calls.Call("nxa.Menu.Main.set_menuType", main + ", 2");
    ASSERT_TRUE(calls.Finish());

    HWND window = form->GetHWND();
    EXPECT_EQ((std::vector<std::wstring>{L"File", L"Edit"}), MenuBarTitles(window));
    const Items file = ReadNativeMenu(MenuBarHeader(window, 0));
    ASSERT_EQ(L"Open|Save|Save|-|", Texts(file));
    EXPECT_TRUE(file[0].Grayed());
    EXPECT_FALSE(file[0].Checked());
    EXPECT_TRUE(file[1].Checked()) << "the first of two items with one label";
    EXPECT_FALSE(file[2].Checked());
    EXPECT_FALSE(file[1].Grayed());
    EXPECT_TRUE(ReadNativeMenu(MenuBarHeader(window, 1)).empty());

    calls.Call("nxa.Menu.Main.itemChecked", main + ", \"File\", \"Save\", false");
    calls.Call("nxa.Menu.Main.itemEnabled", main + ", \"File\", \"Open\", true");
    ASSERT_TRUE(calls.Finish());
    const Items after = ReadNativeMenu(MenuBarHeader(window, 0));
    EXPECT_FALSE(after[0].Grayed());
    EXPECT_FALSE(after[1].Checked());
}

TEST_P(MenuRoads, MainRowsAttachABarAndReachTheFirstOfTwoHeaders)
{
    KovaFormMSW* bare = MakeForm(0);
    KovaFormMSW* untouched = MakeForm(1);
    KovaFormMSW* doubled = MakeForm(2);
    const std::string main = Id(Create("Main", 0, 0));
    // An unknown header changes nothing but leaves an empty bar.
    calls.Call("nxa.Menu.Main.removeItem", main + ", \"Nope\", \"X\"", 0);
    // The rows without effect attach no bar.
    calls.Call("nxa.Menu.Main.itemVisible", main + ", \"Nope\", \"X\", true", 1);
    calls.Call("nxa.Menu.Main.set_menuType", main + ", 1", 1);
    calls.Call("nxa.Menu.Main.insertHeader", main + ", \"Tools\"", 2);
    calls.Call("nxa.Menu.Main.insertHeader", main + ", \"Tools\"", 2);
    calls.Call("nxa.Menu.Main.insertItem", main + ", \"Tools\", \"Hammer\"", 2);
    ASSERT_TRUE(calls.Finish());

    ASSERT_NE(nullptr, GetMenu(bare->GetHWND()));
    EXPECT_TRUE(MenuBarTitles(bare->GetHWND()).empty());
    EXPECT_EQ(nullptr, GetMenu(untouched->GetHWND()));
    EXPECT_EQ((std::vector<std::wstring>{L"Tools", L"Tools"}), MenuBarTitles(doubled->GetHWND()));
    EXPECT_EQ(L"Hammer|", Texts(ReadNativeMenu(MenuBarHeader(doubled->GetHWND(), 0))));
    EXPECT_TRUE(ReadNativeMenu(MenuBarHeader(doubled->GetHWND(), 1)).empty());

    calls.Call("nxa.Menu.Main.removeHeader", main + ", \"Tools\"", 2);
    ASSERT_TRUE(calls.Finish());
    EXPECT_EQ((std::vector<std::wstring>{L"Tools"}), MenuBarTitles(doubled->GetHWND()));
    EXPECT_TRUE(ReadNativeMenu(MenuBarHeader(doubled->GetHWND(), 0)).empty()) << "the second header stays";
}

TEST_P(MenuRoads, ContextRowsEditTheCallingFormsMenuWhateverTheSwitch)
{
    KovaFormMSW* first = MakeForm(0);
    KovaFormMSW* second = MakeForm(1);
    // Made by form 0, used by form 1: the calling form is the one edited.
    const std::string context = Id(Create("Context", 0, 0));
    calls.Call("nxa.Menu.Context.insertItem", context + ", \"Copy\"", 1);
    calls.Call("nxa.Menu.Context.insertItem", context + ", \"Paste\"", 1);
    calls.Call("nxa.Menu.Context.insertDivider", context, 1);
    calls.Call("nxa.Menu.Context.insertItem", context + ", \"Copy\"", 1);
    calls.Call("nxa.Menu.Context.insertItem", context + ", \"Delete\"", 1);
    calls.Call("nxa.Menu.Context.itemChecked", context + ", \"Copy\", true", 1);
    calls.Call("nxa.Menu.Context.itemEnabled", context + ", \"Paste\", false", 1);
    calls.Call("nxa.Menu.Context.removeItem", context + ", \"Delete\"", 1);
    calls.Call("nxa.Menu.Context.insertItem", context + ", \"Lost\"", 7); // no form 7
    calls.Call("nxa.Menu.Context.insertItem", "99, \"Stray\"", 1);         // no object 99
    ASSERT_TRUE(calls.Finish());

    EXPECT_FALSE(second->ContextMenuEnabled());
    EXPECT_TRUE(ContextItems(*first).empty());
    const Items items = ContextItems(*second);
    ASSERT_EQ(L"Copy|Paste|-|Copy|", Texts(items));
    EXPECT_TRUE(items[0].Checked());
    EXPECT_FALSE(items[3].Checked());
    EXPECT_TRUE(items[1].Grayed());
    // The item stays a normal item for the toolkit, which reads the mark natively.
    const wxMenuItem* copy = second->ContextMenu().FindItemByPosition(0);
    EXPECT_EQ(wxITEM_NORMAL, copy->GetKind());
    EXPECT_TRUE(copy->IsChecked());

    calls.Call("nxa.Menu.Context.enable", context, 1);
    ASSERT_TRUE(calls.Finish());
    EXPECT_TRUE(second->ContextMenuEnabled());
    EXPECT_FALSE(first->ContextMenuEnabled());
    calls.Call("nxa.Menu.Context.disable", context, 1);
    ASSERT_TRUE(calls.Finish());
    EXPECT_FALSE(second->ContextMenuEnabled());
}

TEST_P(MenuRoads, TrayRowsEditTheMenuAndTheIcon)
{
    KovaTaskBarIcon& icon = AddTrayIcon();
    std::vector<NOTIFYICONDATAW> balloons;
    KovaTaskBarIcon::SetBalloonSender([&](const NOTIFYICONDATAW& request) {
        balloons.push_back(request);
        return true;
    });
    const std::string tray = Id(Create("Tray", 3, 0));
    calls.Call("nxa.Menu.Tray.insertItem", tray + ", \"Open\"");
    calls.Call("nxa.Menu.Tray.insertDivider", tray);
    calls.Call("nxa.Menu.Tray.insertItem", tray + ", \"Mute\"");
    calls.Call("nxa.Menu.Tray.insertItem", tray + ", \"Gone\"");
    calls.Call("nxa.Menu.Tray.itemChecked", tray + ", \"Mute\", true");
    calls.Call("nxa.Menu.Tray.itemEnabled", tray + ", \"Open\", false");
    calls.Call("nxa.Menu.Tray.removeItem", tray + ", \"Gone\"");
    calls.Call("nxa.Menu.Tray.set_iconHint", tray + ", \"Hint\"");
    ASSERT_TRUE(calls.Finish());
    const Items items = TrayItems(icon);
    ASSERT_EQ(L"Open|-|Mute|", Texts(items));
    EXPECT_TRUE(items[0].Grayed());
    EXPECT_TRUE(items[2].Checked());
    EXPECT_EQ(wxString("Hint"), icon.Tooltip());
    EXPECT_TRUE(icon.IsIconInstalled());

    // Hidden and shown again; the menu type becomes the tooltip and shows the icon.
    calls.Call("nxa.Menu.Tray.hideIcon", tray);
    ASSERT_TRUE(calls.Finish());
    EXPECT_FALSE(icon.IsIconInstalled());
    calls.Call("nxa.Menu.Tray.showIcon", tray);
    ASSERT_TRUE(calls.Finish());
    EXPECT_TRUE(icon.IsIconInstalled());
    calls.Call("nxa.Menu.Tray.hideIcon", tray);
    calls.Call("nxa.Menu.Tray.set_menuType", tray + ", \"Type\"");
    ASSERT_TRUE(calls.Finish());
    EXPECT_EQ(wxString("Type"), icon.Tooltip());
    EXPECT_TRUE(icon.IsIconInstalled());

    // An unreadable image changes nothing; a readable one shows the icon.
    const std::wstring bad = fixture.Path(L"not an image.ico");
    const std::string text = "text, not an image";
    ASSERT_TRUE(
        WriteWholeFile(bad, reinterpret_cast<const unsigned char*>(text.data()), static_cast<long>(text.size())));
    const ByteVector bmp = BmpWithWhiteRect(16, 16, 2, 2, 14, 14);
    const std::wstring good = fixture.Path(L"icon.bmp");
    ASSERT_TRUE(WriteWholeFile(good, bmp.data(), static_cast<long>(bmp.size())));
    auto jsonPath = [](const std::wstring& path) {
        std::string json = "\"";
        for (wchar_t c : path)
            json += c == L'\\' ? std::string("\\\\") : std::string(1, static_cast<char>(c));
        return json + "\"";
    };
    calls.Call("nxa.Menu.Tray.hideIcon", tray);
    calls.Call("nxa.Menu.Tray.setIcon", tray + ", " + jsonPath(bad));
    calls.Call("nxa.Menu.Tray.setIcon", tray + ", " + jsonPath(fixture.Path(L"missing.bmp")));
    ASSERT_TRUE(calls.Finish());
    EXPECT_FALSE(icon.IsIconInstalled());
    calls.Call("nxa.Menu.Tray.setIcon", tray + ", " + jsonPath(good));
    ASSERT_TRUE(calls.Finish());
    EXPECT_TRUE(icon.IsIconInstalled());
    EXPECT_EQ(wxString("Type"), icon.Tooltip());

    // A balloon needs all six arguments and ignores the sixth.
    calls.Call("nxa.Menu.Tray.showBalloon", tray + ", \"Text\", \"Title\", \"warning\", 1500");
    ASSERT_TRUE(calls.Finish());
    EXPECT_TRUE(balloons.empty());
    calls.Call("nxa.Menu.Tray.showBalloon", tray + ", \"Text\", \"Title\", \"warning\", 1500, {\"any\": 1}");
    ASSERT_TRUE(calls.Finish());
    ASSERT_EQ(1u, balloons.size());
    EXPECT_EQ(std::wstring(L"Text"), balloons[0].szInfo);
    EXPECT_EQ(std::wstring(L"Title"), balloons[0].szInfoTitle);
    EXPECT_EQ(static_cast<DWORD>(NIIF_WARNING | 0x10), balloons[0].dwInfoFlags);
    EXPECT_EQ(1500u, balloons[0].uTimeout);
    EXPECT_EQ(static_cast<HWND>(icon.IconWindow()), balloons[0].hWnd);
    // None for a hidden icon.
    calls.Call("nxa.Menu.Tray.hideIcon", tray);
    calls.Call("nxa.Menu.Tray.showBalloon", tray + ", \"Text\", \"Title\", \"info\", 1500, 0");
    ASSERT_TRUE(calls.Finish());
    EXPECT_EQ(1u, balloons.size());
}

} // namespace
