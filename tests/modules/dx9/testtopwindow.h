#pragma once

#include <wx/msw/wrapwin.h>

// A visible captioned top-level window at (50, 60), 400 x 300, made on the
// calling thread and destroyed with the object.
class TestTopWindow {
public:
    TestTopWindow();
    ~TestTopWindow();
    TestTopWindow(const TestTopWindow&) = delete;
    TestTopWindow& operator=(const TestTopWindow&) = delete;

    HWND Handle() const { return m_window; }

private:
    HWND m_window;
};
