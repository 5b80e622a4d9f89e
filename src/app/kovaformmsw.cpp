#include "kovaformmsw.h"

#include "cpackageform.h"
#include "flashwnd.h"

#include <wx/dcclient.h>

namespace {

const WPARAM kEscapeKey = 27;
const WPARAM kF4Key = 115;

bool IsRegisteredMessage(WXUINT message)
{
    return message >= 0xC000 && message <= 0xFFFF;
}

} // namespace

KovaFormMSW::KovaFormMSW(wxWindow* parent, const CPackage& package, const CPackageForm& definition,
                         const InstanceParams& params, int32_t formId, const wxPoint& position,
                         const wxSize& size, long style)
    : KovaForm(parent, package, definition, params, formId, position, size, style)
{
    Bind(wxEVT_PAINT, &KovaFormMSW::OnPaint, this);
    Bind(wxEVT_SIZE, &KovaFormMSW::OnSize, this);
    CreateFlash();
}

void KovaFormMSW::OnPaint(wxPaintEvent& event)
{
    wxPaintDC dc(this);
    if (m_pInstance)
        m_pInstance->Paint(static_cast<HDC>(dc.GetHDC()));
    event.Skip();
}

void KovaFormMSW::OnSize(wxSizeEvent& event)
{
    if (m_pInstance) {
        wxClientDC dc(this);
        const wxSize size = GetClientSize();
        m_pInstance->SetDrawable(static_cast<HDC>(dc.GetHDC()), size.x, size.y,
                                 static_cast<uint16_t>(size.x), static_cast<uint16_t>(size.y));
    }
    event.Skip();
}

bool KovaFormMSW::ShouldForward(WXUINT message, WXWPARAM wParam)
{
    const FormSettings& settings = m_definition.Settings();
    switch (message) {
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_SETCURSOR: case WM_CONTEXTMENU:
    case WM_KEYDOWN: case WM_CHAR: case WM_DEADCHAR: case WM_SYSKEYUP: case WM_SYSCHAR:
    case WM_SYSDEADCHAR: case WM_SYSKEYDOWN: case WM_MOUSEMOVE: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: case WM_MOUSELEAVE: case WM_MOUSEWHEEL:
    case WM_CUT: case WM_COPY: case WM_PASTE: case WM_CLEAR: case WM_UNDO:
        return true;
    case WM_KEYUP:
        return !(wParam == kEscapeKey && settings.escapeCloses);
    case WM_LBUTTONDOWN: case WM_LBUTTONUP:
        return settings.leftButtonMode == 0;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        return settings.middleButtonMode == 0;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP:
        return settings.rightButtonMode == 0;
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
    const FormSettings& settings = m_definition.Settings();
    if (message == WM_ERASEBKGND)
        return 1;
    if (message == WM_SYSKEYDOWN && wParam == kF4Key && !settings.altF4Allowed)
        return 1; // the system never sees Alt+F4
    if (message == WM_KEYUP && wParam == kEscapeKey && settings.escapeCloses)
        Close(false);
    if (message == WM_LBUTTONDOWN && settings.leftButtonMode == 0 && ::GetCapture() != GetHWND())
        ::SetCapture(GetHWND());
    if (message == WM_LBUTTONUP && settings.leftButtonMode == 0 && ::GetCapture() == GetHWND())
        ReleaseCapture();
    if (message == WM_MOUSEWHEEL) {
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::ScreenToClient(GetHWND(), &point);
        lParam = static_cast<WXLPARAM>((static_cast<uint32_t>(point.y) << 16) | (point.x & 0xFFFF));
    }
    if (message == WM_SIZE && m_pInstance)
        m_pInstance->Invalidate();
    if (ShouldForward(message, wParam))
        Forward(message, wParam, lParam);
    return KovaForm::MSWWindowProc(message, wParam, lParam);
}
