#include "dialogdriver.h"

#include <commdlg.h>

#include <chrono>
#include <cwctype>

namespace {

const UINT kMessageBoundMs = 3000;
const int kPollMs = 20;
const int kDialogGoneMs = 10000;

using Clock = std::chrono::steady_clock;

bool SameWithoutCase(const std::wstring& left, const std::wstring& right)
{
    if (left.size() != right.size())
        return false;
    for (size_t index = 0; index < left.size(); ++index) {
        if (std::towlower(left[index]) != std::towlower(right[index]))
            return false;
    }
    return true;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// The window's text through its own thread, bounded.
std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kMessageBoundMs, &length))
        return std::wstring();
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL,
                          kMessageBoundMs, &copied);
    text.resize(copied);
    return text;
}

bool IsVisibleWindowOf(HWND window, DWORD threadId)
{
    return ::IsWindowVisible(window) && ::GetWindowThreadProcessId(window, nullptr) == threadId;
}

struct WindowSearch {
    DWORD threadId;
    bool dialogsOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM searchAddress)
{
    auto* search = reinterpret_cast<WindowSearch*>(searchAddress);
    if (IsVisibleWindowOf(window, search->threadId) && (!search->dialogsOnly || ClassOf(window) == L"#32770"))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleWindows(DWORD threadId, bool dialogsOnly)
{
    WindowSearch search{threadId, dialogsOnly, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CollectControl(HWND control, LPARAM controlsAddress)
{
    reinterpret_cast<std::vector<HWND>*>(controlsAddress)->push_back(control);
    return TRUE;
}

std::vector<HWND> Controls(HWND dialog)
{
    std::vector<HWND> controls;
    ::EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

HICON IconOf(HWND control)
{
    DWORD_PTR icon = 0;
    if (!::SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_NORMAL, kMessageBoundMs, &icon))
        return nullptr;
    return reinterpret_cast<HICON>(icon);
}

void CancelAndClose(HWND window)
{
    ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
}

} // namespace

std::optional<std::wstring> SeenDialog::TextOf(int id, const std::wstring& className) const
{
    for (const DialogControl& control : controls) {
        if (control.id == id && (className.empty() || SameWithoutCase(control.className, className)))
            return control.text;
    }
    return std::nullopt;
}

bool SeenDialog::Shows(const std::wstring& className, const std::wstring& text) const
{
    for (const DialogControl& control : controls) {
        if (SameWithoutCase(control.className, className) && control.text == text)
            return true;
    }
    return false;
}

DialogDriver::DialogDriver(Answer answer, int waitMs)
    : m_threadId(::GetCurrentThreadId()), m_thread([this, answer, waitMs] { Run(answer, waitMs); })
{
}

DialogDriver::~DialogDriver()
{
    Finish();
}

std::optional<SeenDialog> DialogDriver::Finish()
{
    m_callReturned = true;
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard<std::mutex> hold(m_lock);
    return m_seen;
}

std::wstring DialogDriver::Trouble() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_trouble;
}

SeenDialog DialogDriver::Read(HWND dialog)
{
    SeenDialog seen;
    seen.caption = ::TextOf(dialog);
    for (HWND control : Controls(dialog)) {
        const std::wstring className = ClassOf(control);
        seen.controls.push_back({className, ::GetDlgCtrlID(control), ::TextOf(control)});
        if (!seen.icon && SameWithoutCase(className, L"Static"))
            seen.icon = IconOf(control);
    }
    return seen;
}

void DialogDriver::TypeIntoFirstEdit(HWND dialog, const std::wstring& text)
{
    for (HWND control : Controls(dialog)) {
        if (SameWithoutCase(ClassOf(control), L"Edit")) {
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                                  kMessageBoundMs, &ignored);
            return;
        }
    }
}

void DialogDriver::SetFileDialogControlText(HWND dialog, int controlId, const std::wstring& text)
{
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(dialog, CDM_SETCONTROLTEXT, controlId, reinterpret_cast<LPARAM>(text.c_str()),
                          SMTO_NORMAL, kMessageBoundMs, &ignored);
}

void DialogDriver::Click(HWND dialog, int buttonId)
{
    HWND button = ::GetDlgItem(dialog, buttonId);
    DWORD_PTR ignored = 0;
    if (button)
        ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, kMessageBoundMs, &ignored);
}

bool DialogDriver::WaitForText(HWND dialog, int id, const std::wstring& text, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        HWND control = ::GetDlgItem(dialog, id);
        if (control && ::TextOf(control) == text)
            return true;
        ::Sleep(kPollMs);
    } while (Clock::now() < deadline);
    return false;
}

void DialogDriver::Run(const Answer& answer, int waitMs)
{
    HWND dialog = WaitForDialog(waitMs);
    if (!dialog) {
        if (!m_callReturned)
            CloseAllVisible(L"no standard dialog came; closed instead: ");
        return;
    }
    {
        SeenDialog seen = Read(dialog);
        std::lock_guard<std::mutex> hold(m_lock);
        m_seen = std::move(seen);
    }
    answer(dialog);
    const auto deadline = Clock::now() + std::chrono::milliseconds(kDialogGoneMs);
    while (::IsWindow(dialog) && ::IsWindowVisible(dialog)) {
        if (Clock::now() >= deadline) {
            NoteTrouble(L"the dialog stayed after the answer and was closed");
            CancelAndClose(dialog);
            return;
        }
        ::Sleep(kPollMs);
    }
}

HWND DialogDriver::WaitForDialog(int waitMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    while (!m_callReturned && Clock::now() < deadline) {
        const std::vector<HWND> dialogs = VisibleWindows(m_threadId, true);
        if (!dialogs.empty())
            return dialogs.front();
        ::Sleep(kPollMs);
    }
    return nullptr;
}

void DialogDriver::CloseAllVisible(const wchar_t* why)
{
    std::wstring closed = why;
    for (HWND window : VisibleWindows(m_threadId, false)) {
        closed += ClassOf(window) + L" ";
        CancelAndClose(window);
    }
    NoteTrouble(closed);
}

void DialogDriver::NoteTrouble(const std::wstring& text)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_trouble += text;
}
