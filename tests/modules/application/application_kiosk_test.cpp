// The Kiosk rows through the call road, against the stand-in key-lock
// library, which logs every call it receives.
#include "commandcalls.h"
#include "keylocklibrary.h"
#include "messagepumping.h"
#include "nxaapplication.h"
#include "scopedcommandcentre.h"
#include "scratchfolder.h"
#include "textfile.h"
#include "windowedform.h"

#include <gtest/gtest.h>

#include <wx/filefn.h>
#include <wx/filename.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Every Kiosk command that takes the id alone.
const std::vector<std::string> kIdCommands = {
    "disableAltEsc", "disableAltF4", "disableAltTab", "disableAppKey", "disableCtrlAltDel", "disableCtrlEsc",
    "disableRMouseButton", "disableWindowsDesktop", "disableWindowsStartButton", "disableWindowsTaskbar",
    "disableWinKey", "enableAltEsc", "enableAltF4", "enableAltTab", "enableAppKey", "enableCtrlAltDel",
    "enableCtrlEsc", "enableRMouseButton", "enableWindowsDesktop", "enableWindowsStartButton",
    "enableWindowsTaskbar", "enableWinKey", "installLoginScreen", "uninstallLoginScreen"};

std::string Kiosk(const std::string& command)
{
    return "nxa.Application.Kiosk." + command;
}

class KioskTest : public testing::Test {
protected:
    KioskTest() : m_logPath(m_scratch / L"keylock.log")
    {
        SetEnvironmentVariableW(L"KOVA_KEYLOCK_LOG", m_logPath.c_str());
    }
    ~KioskTest() override { SetEnvironmentVariableW(L"KOVA_KEYLOCK_LOG", nullptr); }

    // The calls the library received since the last look.
    std::vector<std::string> TakeLog()
    {
        const std::vector<std::string> lines = SplitLines(ReadFileText(m_logPath));
        DeleteFileW(m_logPath.c_str());
        return lines;
    }

    std::string CreateKiosk() { return CallCommandSync(Kiosk("create")); }

    ScratchFolder m_scratch;
    std::wstring m_logPath;
};

TEST_F(KioskTest, EachCommandMakesItsOneCall)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    ASSERT_TRUE(centre.Initialised());
    const std::string id = CreateKiosk();
    struct Case {
        const char* command;
        const char* call;
    };
    // Form 5 has no window, so disableAltEsc names none either.
    const Case cases[] = {
        {"disableAltEsc", "wlDisableKey(0,27,1,1)"},
        {"disableAltF4", "wlDisableKey(0,115,1,1)"},
        {"disableAltTab", "wlDisableKey(0,9,1,1)"},
        {"disableAppKey", "wlDisableKey(0,93,0,1)"},
        {"disableCtrlAltDel", "wlDisableKey(0,46,3,1)"},
        {"disableCtrlEsc", "wlDisableKey(0,27,2,1)"},
        {"disableRMouseButton", "wlDisableKey(0,2,0,1)"},
        {"disableWinKey", "wlDisableKey(0,0,8,1)"},
        {"disableWindowsDesktop", "wlDisableItem(2,1)"},
        {"disableWindowsStartButton", "wlDisableItem(3,1)"},
        {"disableWindowsTaskbar", "wlDisableItem(5,1)"},
        {"enableAltEsc", "wlDisableKey(0,27,1,0)"},
        {"enableAltF4", "wlDisableKey(0,115,1,0)"},
        {"enableAltTab", "wlDisableKey(0,9,1,0)"},
        {"enableAppKey", "wlDisableKey(0,93,0,0)"},
        {"enableCtrlAltDel", "wlDisableKey(0,46,3,0)"},
        {"enableCtrlEsc", "wlDisableKey(0,27,2,0)"},
        {"enableRMouseButton", "wlDisableKey(0,2,0,0)"},
        {"enableWinKey", "wlDisableKey(0,0,8,0)"},
        {"enableWindowsDesktop", "wlDisableItem(2,0)"},
        {"enableWindowsStartButton", "wlDisableItem(3,0)"},
        {"enableWindowsTaskbar", "wlDisableItem(5,0)"},
    };
    TakeLog();
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.command);
        EXPECT_EQ("0", CallCommandSync(Kiosk(entry.command), id, 5));
        EXPECT_EQ(std::vector<std::string>{entry.call}, TakeLog());
    }
}

TEST_F(KioskTest, LoginScreenIsInstalledAndRemovedOnlyWhenNeeded)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    const std::string id = CreateKiosk();
    TakeLog();
    const std::vector<std::string> askOnly = {"wlIsDwlInstalled()"};

    EXPECT_EQ("0", CallCommandSync(Kiosk("uninstallLoginScreen"), id));
    EXPECT_EQ(askOnly, TakeLog());
    EXPECT_EQ("0", CallCommandSync(Kiosk("installLoginScreen"), id));
    EXPECT_EQ((std::vector<std::string>{"wlIsDwlInstalled()", "wlInstallDwl(25)"}), TakeLog());
    EXPECT_EQ("0", CallCommandSync(Kiosk("installLoginScreen"), id));
    EXPECT_EQ(askOnly, TakeLog());
    EXPECT_EQ("0", CallCommandSync(Kiosk("uninstallLoginScreen"), id));
    EXPECT_EQ((std::vector<std::string>{"wlIsDwlInstalled()", "wlUninstallDwl(26)"}), TakeLog());
}

TEST_F(KioskTest, WrongCallsAnswerTheirDefaultAndCallNothing)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    const std::string id = CreateKiosk();
    EXPECT_EQ("-1", CallCommandSync(Kiosk("create"), "1"));
    TakeLog();
    for (const std::string& command : kIdCommands) {
        SCOPED_TRACE(command);
        EXPECT_EQ("0", CallCommandSync(Kiosk(command)));
        EXPECT_EQ("0", CallCommandSync(Kiosk(command), id + ", 1"));
        EXPECT_EQ("0", CallCommandSync(Kiosk(command), "9999"));
        EXPECT_EQ("0", CallCommandSync(Kiosk(command), "\"x\""));
    }
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(KioskTest, IdsCountUpFromTheFirstCreate)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    const int first = std::stoi(CreateKiosk());
    EXPECT_EQ(std::to_string(first + 1), CreateKiosk());
    EXPECT_EQ(std::to_string(first + 2), CreateKiosk());
}

TEST_F(KioskTest, DisableAltEscNamesTheCallingFormsWindow)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    const std::string id = CreateKiosk();
    auto form = std::make_unique<WindowedForm>(3);
    const std::string window = std::to_string(reinterpret_cast<uintptr_t>(form->GetHWND()));
    const std::string expected = "wlDisableKey(" + window + ",27,1,1)";
    TakeLog();

    EXPECT_EQ("0", CallCommandSync(Kiosk("disableAltEsc"), id, 3));
    EXPECT_EQ(std::vector<std::string>{expected}, TakeLog());

    // By the asynchronous road the worker asks the main thread for the window.
    CallCommandAsync(Kiosk("disableAltEsc"), id, 3);
    std::vector<std::string> lines;
    EXPECT_TRUE(PumpMessagesUntil([&] {
        lines = SplitLines(ReadFileText(m_logPath));
        return !lines.empty();
    }));
    EXPECT_EQ(std::vector<std::string>{expected}, lines);
    TakeLog();

    // Enabling again never names a window.
    EXPECT_EQ("0", CallCommandSync(Kiosk("enableAltEsc"), id, 3));
    EXPECT_EQ(std::vector<std::string>{"wlDisableKey(0,27,1,0)"}, TakeLog());
}

TEST_F(KioskTest, ShutDownEndsTheLibraryAndDeletesItsCopy)
{
    wxString copyPath;
    {
        ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
        ASSERT_TRUE(centre.Initialised());
        copyPath = KeyLockLibrary::Get().TemporaryPath();
        EXPECT_TRUE(wxFileExists(copyPath));
        // The system's unique-name service keeps three letters of the prefix.
        const wxFileName copyName(copyPath);
        EXPECT_TRUE(copyName.GetFullName().StartsWith(L"nxa")) << copyName.GetFullName();
        EXPECT_TRUE(wxFileName::DirName(wxFileName::GetTempDir()).SameAs(wxFileName::DirName(copyName.GetPath())))
            << copyName.GetPath();
        EXPECT_TRUE(TakeLog().empty());
    }
    EXPECT_EQ(std::vector<std::string>{"wlExit()"}, TakeLog());
    EXPECT_FALSE(wxFileExists(copyPath));
    EXPECT_FALSE(KeyLockLibrary::Get().IsLoaded());
}

TEST_F(KioskTest, LibraryWithoutAnExportStillLoads)
{
    ScopedCommandCentre centre({&nxaApplication::Frame::Descriptor()});
    const std::string library = ReadFileText(wxString(KOVA_KEYLOCK_NOITEM_DLL).ToStdWstring());
    ASSERT_FALSE(library.empty());
    ASSERT_TRUE(KeyLockLibrary::Get().Load(reinterpret_cast<const uint8_t*>(library.data()), library.size()));
    const std::string id = CreateKiosk();
    TakeLog();

    for (const char* command : {"disableWindowsDesktop", "disableWindowsStartButton", "disableWindowsTaskbar",
                                "enableWindowsDesktop", "enableWindowsStartButton", "enableWindowsTaskbar"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ("0", CallCommandSync(Kiosk(command), id));
    }
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_EQ("0", CallCommandSync(Kiosk("disableAltTab"), id));
    EXPECT_EQ(std::vector<std::string>{"wlDisableKey(0,9,1,1)"}, TakeLog());
}

TEST_F(KioskTest, ImageThatIsNoLibraryFailsToLoad)
{
    KeyLockLibrary& library = KeyLockLibrary::Get();
    EXPECT_FALSE(library.Load(nullptr, 0));

    const std::string notALibrary = "MZ but nothing else";
    EXPECT_FALSE(library.Load(reinterpret_cast<const uint8_t*>(notALibrary.data()), notALibrary.size()));
    EXPECT_FALSE(library.IsLoaded());
    // A failed load leaves no copy behind, and the unload has no library to end.
    EXPECT_TRUE(library.TemporaryPath().empty());
    library.Unload();
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(KioskTest, ModuleStartsWithTheEmbeddedLibrary)
{
    ASSERT_TRUE(LoadKeyLockLibrary());
    EXPECT_TRUE(KeyLockLibrary::Get().IsLoaded());
    UnloadKeyLockLibrary();
    EXPECT_EQ(std::vector<std::string>{"wlExit()"}, TakeLog());
}

} // namespace
