#include "kovaformmsw.h"

#include "flashwnd.h"

#include <wx/dcclient.h>

namespace {

bool IsRegisteredMessage(WXUINT message)
{
    return message >= 0xC000 && message <= 0xFFFF;
}

// The wheel's pointer position comes in screen coordinates; the plug-in
// wants it relative to the client area.
WXLPARAM WheelPositionInClient(HWND window, WXLPARAM lParam)
{
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ScreenToClient(window, &point);
    return static_cast<WXLPARAM>((static_cast<uint32_t>(point.y) << 16) | (static_cast<uint32_t>(point.x) & 0xFFFF));
}

} // namespace

wxBEGIN_EVENT_TABLE(KovaFormMSW, KovaForm)
    EVT_PAINT(KovaFormMSW::OnPaint)
    EVT_SIZE(KovaFormMSW::OnSize)
wxEND_EVENT_TABLE()

KovaFormMSW::KovaFormMSW(wxWindow* parent, const CPackage& package, const CPackageForm& definition,
                         const InstanceParams& params, int32_t formId, const wxPoint& position,
                         const wxSize& size, long style)
    : KovaForm(parent, package, definition, params, formId, position, size, style)
{
    CreateFlash();
}

KovaFormMSW::~KovaFormMSW()
{
    // While the form is still whole: restoring the window sends it messages.
    LeaveDirectXFullScreen();
}

bool KovaFormMSW::EnterDirectXFullScreen(int32_t width, int32_t height)
{
    return m_directX.Enter(GetHWND(), width, height);
}

void KovaFormMSW::LeaveDirectXFullScreen()
{
    m_directX.Leave();
}

void KovaFormMSW::OnPaint(wxPaintEvent& event)
{
    if (m_pInstance && !IsDirectMode()) {
        wxPaintDC dc(this);
        if (m_directX.IsOn())
            PaintDirect3DFrame();
        else
            m_pInstance->Paint(static_cast<HDC>(dc.GetHDC()));
    }
    event.Skip();
}

void KovaFormMSW::PaintDirect3DFrame()
{
    m_directX.PaintFrame([this](HDC backBuffer, int32_t width, int32_t height) {
        m_pInstance->SetDrawable(backBuffer, width, height, static_cast<uint16_t>(width),
                                 static_cast<uint16_t>(height));
        m_pInstance->Paint(backBuffer);
    });
}

void KovaFormMSW::OnSize(wxSizeEvent& event)
{
    if (m_pInstance && !IsDirectMode()) {
        wxClientDC dc(this);
        const wxSize size = GetClientSize();
        m_pInstance->SetDrawable(static_cast<HDC>(dc.GetHDC()), size.x, size.y,
                                 static_cast<uint16_t>(size.x), static_cast<uint16_t>(size.y));
    }
    event.Skip();
}

bool KovaFormMSW::ShouldForward(WXUINT message, WXWPARAM wParam) const
{
    switch (message) {
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_SETCURSOR: case WM_CONTEXTMENU:
    case WM_KEYDOWN: case WM_CHAR: case WM_DEADCHAR: case WM_SYSKEYUP: case WM_SYSCHAR:
    case WM_SYSDEADCHAR: case WM_SYSKEYDOWN: case WM_MOUSEMOVE: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: case WM_MOUSELEAVE: case WM_MOUSEWHEEL:
    case WM_CUT: case WM_COPY: case WM_PASTE: case WM_CLEAR: case WM_UNDO:
        return true;
    case WM_KEYUP:
        return !(wParam == VK_ESCAPE && EscapeCloses());
    case WM_LBUTTONDOWN: case WM_LBUTTONUP:
        return ButtonMode(0) == 0;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        return ButtonMode(1) == 0;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP:
        return ButtonMode(2) == 0;
    default:
        return IsRegisteredMessage(message);
    }
}

void KovaFormMSW::Forward(WXUINT message, WXWPARAM wParam, WXLPARAM lParam)
{
    if (!m_pInstance)
        return;
    NPEvent event = {static_cast<uint16_t>(message), static_cast<uintptr_t>(wParam),
                     static_cast<uintptr_t>(lParam)};
    m_pInstance->SendEvent(&event);
}

WXLRESULT KovaFormMSW::MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1;
    if (message == WM_SYSKEYDOWN && wParam == VK_F4 && !AltF4Allowed())
        return 1; // the system never sees Alt+F4
    if (message == WM_KEYUP && wParam == VK_ESCAPE && EscapeCloses())
        Close(false);
    return IsDirectMode() ? DirectWindowProc(message, wParam, lParam)
                          : WindowlessWindowProc(message, wParam, lParam);
}

WXLRESULT KovaFormMSW::WindowlessWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam)
{
    if (message == WM_LBUTTONDOWN && ButtonMode(0) == 0 && ::GetCapture() != GetHWND())
        ::SetCapture(GetHWND());
    if (message == WM_LBUTTONUP && ButtonMode(0) == 0 && ::GetCapture() == GetHWND())
        ::ReleaseCapture();
    if (message == WM_MOUSEWHEEL)
        lParam = WheelPositionInClient(GetHWND(), lParam);
    if (message == WM_SIZE) {
        OutputDebugStringA("WM_SIZE\n");
        if (m_pInstance)
            m_pInstance->Invalidate();
    }
    if (ShouldForward(message, wParam))
        Forward(message, wParam, lParam);
    return KovaForm::MSWWindowProc(message, wParam, lParam);
}

WXLRESULT KovaFormMSW::DirectWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam)
{
    if (message == WM_SIZE && m_childWindow && m_pInstance)
        ResizeChildWindow();
    // Focus that moves into the plug-in's child window stays within the form.
    m_focusToChild = message == WM_KILLFOCUS && reinterpret_cast<HWND>(wParam) == m_childWindow;
    const WXLRESULT result = KovaForm::MSWWindowProc(message, wParam, lParam);
    m_focusToChild = false;
    return result;
}

void KovaFormMSW::ResizeChildWindow()
{
    const bool hooked = m_childWindowProc != nullptr;
    UnhookChildWindow();
    SetChildWindowToClient();
    const wxSize client = GetClientSize();
    HWND child = m_childWindow;
    ::MoveWindow(child, 0, 0, client.x, client.y, TRUE);
    ::RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (hooked)
        HookChildWindow();
}
