// The Clipboard rows through the call road: text read back from the system
// clipboard, the keystrokes of copy, cut and paste through the key sink, and
// for real into a focused Edit control. The clipboard and the keyboard focus
// belong to the whole desktop, so this program runs alone.
#include "commandcalls.h"
#include "keyshortcut.h"
#include "messagepumping.h"
#include "nxaclipboard.h"
#include "pinnedtable.h"
#include "scopedcommandcentre.h"
#include "standinform.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

// The Unicode text on the clipboard; nothing when it holds none (or cannot
// be opened).
std::optional<std::wstring> ClipboardText()
{
    // The system's clipboard manager opens the clipboard for a moment after
    // every change: wait for it.
    if (!PumpMessagesUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, 5000))
        return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE block = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(::GlobalLock(block))) {
            text = std::wstring(units);
            ::GlobalUnlock(block);
        }
    }
    ::CloseClipboard();
    return text;
}

void StartWithClipboardText(const std::wstring& text)
{
    ASSERT_EQ("\"\"", CallCommandSync("nxa.Clipboard.copyString", "\"" + std::string(text.begin(), text.end()) + "\""));
    ASSERT_EQ(text, ClipboardText());
}

// Records the key events of one test instead of sending them.
class KeyEventRecorder {
public:
    KeyEventRecorder()
    {
        SetKeyEventSink([this](const KeyEvent& event) {
            std::lock_guard<std::mutex> hold(m_lock);
            m_events.push_back(event);
        });
    }
    ~KeyEventRecorder() { SetKeyEventSink(nullptr); }

    std::vector<KeyEvent> Events() const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_events;
    }

private:
    mutable std::mutex m_lock;
    std::vector<KeyEvent> m_events;
};

class ClipboardRows : public testing::Test {
protected:
    // Makes the call on the worker and waits until the worker has run it: a
    // paste sent after it reaches the key sink only then.
    void CallOnWorkerAndWait(const std::string& name, const std::string& args)
    {
        KeyEventRecorder marker;
        CallCommandAsync(name, args);
        CallCommandAsync("nxa.Clipboard.paste");
        ASSERT_TRUE(PumpEventsUntil([&] { return marker.Events().size() >= 4; }, 10000)) << name;
    }

    ScopedCommandCentre centre{{&nxaClipboard::Frame::Descriptor()}};
    StandInForm form{0, "main"};
};

TEST(ClipboardTable, PinnedRows)
{
    ScopedCommandCentre centre{{&nxaClipboard::Frame::Descriptor()}};
    ASSERT_TRUE(centre.Initialised());
    ExpectPinnedTable(nxaClipboard::Frame::Descriptor(), {
                                                  {"nxa.Clipboard.clear", kAnyArgCount, "\"\""},
                                                  {"nxa.Clipboard.copyString", kAnyArgCount, "\"\""},
                                                  {"nxa.Clipboard.copy", kAnyArgCount, "\"\""},
                                                  {"nxa.Clipboard.cut", kAnyArgCount, "\"\""},
                                                  {"nxa.Clipboard.paste", kAnyArgCount, "\"\""},
                                              });
}

TEST_F(ClipboardRows, CopyStringPutsTheFirstArgumentsTextOnTheClipboard)
{
    const struct {
        const char* args;
        std::optional<std::wstring> text; // nothing: the clipboard is unchanged
    } cases[] = {
        {"\"h\\u00e9llo \\u2713\"", std::wstring(L"h\u00E9llo \u2713")},
        {"5", std::wstring(L"5")},
        {"null", std::wstring()},
        {"\"\"", std::wstring()},
        {"\"first\", \"second\"", std::wstring(L"first")},
        {"[1, 2]", std::wstring(L"[ 1, 2 ]")},
        {"\"a\\u0000b\"", std::wstring(L"a")},
        {"", std::nullopt},
    };
    for (const auto& entry : cases) {
        for (bool async : {false, true}) {
            SCOPED_TRACE(std::string(entry.args) + (async ? " async" : " sync"));
            StartWithClipboardText(L"before");
            if (async)
                CallOnWorkerAndWait("nxa.Clipboard.copyString", entry.args);
            else
                EXPECT_EQ("\"\"", CallCommandSync("nxa.Clipboard.copyString", entry.args));
            EXPECT_EQ(entry.text.value_or(L"before"), ClipboardText());
        }
    }
}

TEST_F(ClipboardRows, ClearEmptiesTheClipboardWhateverTheArguments)
{
    for (const char* args : {"", "1", "\"x\", null"}) {
        SCOPED_TRACE(args);
        StartWithClipboardText(L"before");
        EXPECT_EQ("\"\"", CallCommandSync("nxa.Clipboard.clear", args));
        EXPECT_EQ(std::nullopt, ClipboardText());
        StartWithClipboardText(L"before");
        CallOnWorkerAndWait("nxa.Clipboard.clear", args);
        EXPECT_EQ(std::nullopt, ClipboardText());
    }
}

// Runs the work while another thread holds the clipboard open for a window
// of its own, as another program would. (Opened for no window, the system
// lets any thread of the process open it as well.)
void WhileAnotherThreadHoldsTheClipboard(const std::function<void()>& work)
{
    std::mutex lock;
    std::condition_variable changed;
    bool held = false;
    bool release = false;
    std::thread holder([&] {
        HWND owner = ::CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr);
        const BOOL opened = ::OpenClipboard(owner);
        std::unique_lock<std::mutex> wait(lock);
        held = opened != FALSE;
        changed.notify_all();
        changed.wait_for(wait, std::chrono::seconds(30), [&] { return release; });
        if (opened)
            ::CloseClipboard();
        ::DestroyWindow(owner);
    });
    {
        std::unique_lock<std::mutex> wait(lock);
        changed.wait_for(wait, std::chrono::seconds(10), [&] { return held; });
    }
    EXPECT_TRUE(held);
    const BOOL openedHere = ::OpenClipboard(nullptr);
    if (openedHere)
        ::CloseClipboard();
    EXPECT_FALSE(openedHere) << "the clipboard opened while another thread held it";
    work();
    {
        std::lock_guard<std::mutex> hold(lock);
        release = true;
    }
    changed.notify_all();
    holder.join();
}

TEST_F(ClipboardRows, AClipboardHeldByAnotherThreadStaysUnchanged)
{
    StartWithClipboardText(L"before");
    WhileAnotherThreadHoldsTheClipboard([] {});
    ASSERT_EQ(std::wstring(L"before"), ClipboardText()) << "holding alone changed the clipboard";
    WhileAnotherThreadHoldsTheClipboard([] {
        EXPECT_EQ("\"\"", CallCommandSync("nxa.Clipboard.copyString", "\"after\""));
        EXPECT_EQ("\"\"", CallCommandSync("nxa.Clipboard.clear"));
    });
    EXPECT_EQ(std::wstring(L"before"), ClipboardText());
}

TEST_F(ClipboardRows, ShortcutsTypeControlAndTheLetterWithScanCodes)
{
    const UINT controlScan = ::MapVirtualKeyW(VK_CONTROL, MAPVK_VK_TO_VSC);
    for (const char* row : {"copy", "cut", "paste"}) {
        const wchar_t letter = std::string(row) == "copy" ? L'c' : std::string(row) == "cut" ? L'x' : L'v';
        const int key = static_cast<SHORT>(::VkKeyScanW(letter)) & 0xFF;
        const UINT letterScan = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
        ASSERT_NE(0u, letterScan) << row;
        const std::vector<std::vector<uint32_t>> expected = {
            {VK_CONTROL, controlScan, 0},
            {static_cast<uint32_t>(key), letterScan, 0},
            {static_cast<uint32_t>(key), letterScan, KEYEVENTF_KEYUP},
            {VK_CONTROL, controlScan, KEYEVENTF_KEYUP},
        };
        for (const char* args : {"", "\"ignored\", 2"}) {
            SCOPED_TRACE(std::string(row) + "(" + args + ")");
            KeyEventRecorder recorder;
            EXPECT_EQ("\"\"", CallCommandSync(std::string("nxa.Clipboard.") + row, args));
            CallCommandAsync(std::string("nxa.Clipboard.") + row, args);
            ASSERT_TRUE(PumpEventsUntil([&] { return recorder.Events().size() >= 8; }, 10000));
            std::vector<std::vector<uint32_t>> typed;
            for (const KeyEvent& event : recorder.Events())
                typed.push_back({event.key, event.scanCode, event.flags});
            std::vector<std::vector<uint32_t>> twice = expected;
            twice.insert(twice.end(), expected.begin(), expected.end());
            EXPECT_EQ(twice, typed);
        }
    }
}

// A visible window with an Edit control that has the keyboard focus.
class FocusedEdit {
public:
    FocusedEdit()
    {
        m_window = ::CreateWindowExW(0, L"STATIC", L"clipboard test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400,
                                     200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        m_edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 300,
                                   24, m_window, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SetForegroundWindow(m_window);
        ::SetActiveWindow(m_window);
        ::SetFocus(m_edit);
    }
    ~FocusedEdit() { ::DestroyWindow(m_window); }

    bool HasFocus()
    {
        return PumpMessagesUntil([&] { return ::GetFocus() == m_edit; }, 5000);
    }

    void SetTextSelected(const std::wstring& text)
    {
        ::SetWindowTextW(m_edit, text.c_str());
        ::SendMessageW(m_edit, EM_SETSEL, 0, -1);
    }

    std::wstring Text() const
    {
        wchar_t text[256] = {};
        ::GetWindowTextW(m_edit, text, 256);
        return text;
    }

private:
    HWND m_window = nullptr;
    HWND m_edit = nullptr;
};

TEST_F(ClipboardRows, ShortcutsReachTheFocusedEdit)
{
    FocusedEdit edit;
    ASSERT_TRUE(edit.HasFocus());

    StartWithClipboardText(L"pasted");
    EXPECT_EQ("\"\"", CallCommandSync("nxa.Clipboard.paste"));
    EXPECT_TRUE(PumpMessagesUntil([&] { return edit.Text() == L"pasted"; }, 10000)) << "paste";

    edit.SetTextSelected(L"copied");
    StartWithClipboardText(L"other");
    EXPECT_EQ("\"\"", CallCommandSync("nxa.Clipboard.copy"));
    EXPECT_TRUE(PumpMessagesUntil([&] { return ClipboardText() == std::wstring(L"copied"); }, 10000)) << "copy";
    EXPECT_EQ(L"copied", edit.Text());

    edit.SetTextSelected(L"cut out");
    StartWithClipboardText(L"other");
    EXPECT_EQ("\"\"", CallCommandSync("nxa.Clipboard.cut"));
    EXPECT_TRUE(PumpMessagesUntil(
        [&] { return edit.Text().empty() && ClipboardText() == std::wstring(L"cut out"); }, 10000))
        << "cut";
}

} // namespace
