#pragma once

// winsock2.h comes before windows.h wherever the toolkit is used as well.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// One control of a dialog as the driver read it.
struct DialogControl {
    std::wstring className;
    int id = 0;
    std::wstring text;
};

// What a dialog showed when the driver found it.
struct SeenDialog {
    std::wstring caption;
    std::vector<DialogControl> controls;
    HICON icon = nullptr; // the first static control's icon, if any

    // The text of the first control with the id and, when given, the class
    // (compared without case); nothing when there is none.
    std::optional<std::wstring> TextOf(int id, const std::wstring& className = std::wstring()) const;
    // Whether a control of the class (compared without case) reads the text.
    bool Shows(const std::wstring& className, const std::wstring& text) const;
};

// Answers the next standard dialog ("#32770") of one thread from a thread of
// its own, so that a test can make a call that shows a modal dialog. The
// driver waits (bounded) for the visible dialog, reads it, runs the answer
// (typing, clicking) and then waits for the dialog to go. A dialog still
// there after that, or any other visible window of the thread when no dialog
// came in time, is cancelled and closed, so no test is left waiting.
class DialogDriver {
public:
    using Answer = std::function<void(HWND dialog)>;

    // Starts watching the calling thread's windows.
    explicit DialogDriver(Answer answer, int waitMs = 15000);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Call once the dialog's call has returned: a dialog that has not come by
    // then will not come. Waits for the driver and answers what it saw; nothing
    // when no dialog came.
    std::optional<SeenDialog> Finish();
    // What went wrong on the driver's side (a dialog it had to close, another
    // window instead of a dialog); empty when nothing did.
    std::wstring Trouble() const;

    // Answers for the driver to run on the dialog.
    static SeenDialog Read(HWND dialog);
    // WM_SETTEXT into the dialog's first Edit control.
    static void TypeIntoFirstEdit(HWND dialog, const std::wstring& text);
    // CDM_SETCONTROLTEXT: an explorer-style file dialog's control by its id.
    static void SetFileDialogControlText(HWND dialog, int controlId, const std::wstring& text);
    // BM_CLICK on the button with the id.
    static void Click(HWND dialog, int buttonId);
    // Waits (bounded) until the dialog's own control with the id (not one of
    // a child window's) reads the text.
    static bool WaitForText(HWND dialog, int id, const std::wstring& text, int timeoutMs = 5000);

private:
    void Run(const Answer& answer, int waitMs);
    HWND WaitForDialog(int waitMs);
    void CloseAllVisible(const wchar_t* why);
    void NoteTrouble(const std::wstring& text);

    const DWORD m_threadId;
    std::atomic<bool> m_callReturned{false};
    mutable std::mutex m_lock;
    std::optional<SeenDialog> m_seen;
    std::wstring m_trouble;
    std::thread m_thread;
};
