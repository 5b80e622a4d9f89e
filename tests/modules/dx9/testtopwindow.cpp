#include "testtopwindow.h"

namespace {

const wchar_t kClassName[] = L"KovaDX9TestWindow";

void RegisterClassOnce()
{
    static const bool registered = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
}

} // namespace

TestTopWindow::TestTopWindow()
{
    RegisterClassOnce();
    m_window = ::CreateWindowExW(0, kClassName, L"dx9 test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 60, 400, 300,
                                 nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

TestTopWindow::~TestTopWindow()
{
    ::DestroyWindow(m_window);
}
