#include "flashwindowclass.h"

#include "flashhost.h"
#include "flashwnd.h"
#include "instanceparams.h"

namespace {

const wchar_t kClassName[] = L"TEVFlashWindowClass";

FlashWnd* InstanceOf(HWND window)
{
    return reinterpret_cast<FlashWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CreateInstance(HWND window, LPARAM lParam)
{
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const auto* params = static_cast<const InstanceParams*>(create->lpCreateParams);
    if (!params)
        return -1;
    auto* instance = new FlashWnd(FlashHost::Get().PluginFuncs(), window);
    if (!instance->New(*params, window)) {
        instance->Destroy();
        delete instance;
        return -1;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(instance));
    return 0;
}

void Forward(FlashWnd* instance, UINT message, WPARAM wParam, LPARAM lParam)
{
    NPEvent event = {uint16_t(message), uintptr_t(wParam), uintptr_t(lParam)};
    instance->SendEvent(&event);
}

LRESULT CALLBACK FlashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return CreateInstance(window, lParam);
    FlashWnd* instance = InstanceOf(window);
    if (!instance)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_DESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        instance->Destroy();
        delete instance;
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        SetFocus(window);
        Forward(instance, message, wParam, lParam);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETCURSOR:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        Forward(instance, message, wParam, lParam);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        instance->Paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_NOTIFY:
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

bool RegisterFlashWindowClass()
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = FlashWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}
