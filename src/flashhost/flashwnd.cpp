#include "flashwnd.h"

#include "layeredalpha.h"

namespace {

const uint32_t kOpaqueBlack = 0xFF000000;
const uint32_t kOpaqueWhite = 0xFFFFFFFF;

NPWindow DrawableRecord(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, uint16_t clipRight,
                        uint16_t clipBottom)
{
    NPWindow record = {};
    record.window = dc;
    record.x = x;
    record.y = y;
    record.width = uint32_t(width);
    record.height = uint32_t(height);
    record.clipRect.top = 0;
    record.clipRect.left = 0;
    record.clipRect.bottom = clipBottom;
    record.clipRect.right = clipRight;
    record.type = NPWindowTypeDrawable;
    return record;
}

} // namespace

FlashWnd::FlashWnd(const NPPluginFuncs& pluginFuncs, HWND hWnd) : FlashInstance(pluginFuncs), m_hWnd(hWnd)
{
    wxASSERT(m_hWnd != 0);
}

// An owner that forgot Destroy must not leave the plug-in holding this object.
FlashWnd::~FlashWnd()
{
    Destroy();
}

void FlashWnd::InvalidateRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    m_invalidRect = RECT{left, top, right, bottom};
    ::InvalidateRect(m_hWnd, &m_invalidRect, TRUE);
}

void FlashWnd::Invalidate()
{
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void FlashWnd::SetDrawable(HDC dc, int32_t width, int32_t height, uint16_t clipRight, uint16_t clipBottom)
{
    const NPWindow record = DrawableRecord(dc, 0, 0, width, height, clipRight, clipBottom);
    SetWindow(&record);
}

void FlashWnd::PaintInto(HDC dc)
{
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    const NPWindow record = DrawableRecord(dc, client.left, client.top, client.right, client.bottom,
                                           uint16_t(client.right), uint16_t(client.bottom));
    SetWindow(&record);
    NPEvent paint = {WM_PAINT, 0, 0};
    SendEvent(&paint);
}

void FlashWnd::Paint(HDC dc)
{
    if (!m_transparent) {
        PaintInto(dc);
        return;
    }
    const SIZE size = WindowSize();
    HDC overBlack = PrepareImages(size) ? m_img0.GetDC() : nullptr;
    HDC overWhite = overBlack ? m_img1.GetDC() : nullptr;
    if (!overBlack || !overWhite) {
        // Without the two images the frame is still drawn, only opaque.
        m_img0.ReleaseDC();
        PaintInto(dc);
        return;
    }
    m_img0.Fill(kOpaqueBlack);
    m_img1.Fill(kOpaqueWhite);
    PaintInto(overBlack);
    PaintInto(overWhite);
    ProcessImages();
    UpdateLayered(dc);
    m_img0.ReleaseDC();
    m_img1.ReleaseDC();
}

SIZE FlashWnd::WindowSize() const
{
    RECT area = {};
    GetClientRect(m_hWnd, &area);
    const DWORD style = DWORD(GetWindowLongPtrW(m_hWnd, GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
    AdjustWindowRectEx(&area, style, FALSE, exStyle);
    return SIZE{area.right - area.left, area.bottom - area.top};
}

bool FlashWnd::PrepareImages(const SIZE& size)
{
    for (Dib32* image : {&m_img0, &m_img1}) {
        if (!image->IsNull() && image->GetWidth() == size.cx && image->GetHeight() == size.cy)
            continue;
        if (!image->Create(size.cx, size.cy))
            return false;
    }
    return true;
}

void FlashWnd::ProcessImages()
{
    wxASSERT(m_img0.GetHeight() == m_img1.GetHeight());
    wxASSERT(m_img0.GetWidth() == m_img1.GetWidth());
    GdiFlush();
    ComputeLayeredAlpha(m_img0.GetPixels(), m_img1.GetPixels(), m_img0.GetPixelCount());
}

void FlashWnd::UpdateLayered(HDC dc)
{
    SIZE size = WindowSize();
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(m_hWnd, dc, nullptr, &size, m_img0.GetDC(), &source, 0xFFFFFFFF, &blend, ULW_ALPHA);
}
