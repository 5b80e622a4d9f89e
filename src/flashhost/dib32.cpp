#include "dib32.h"

#include <algorithm>

Dib32::~Dib32()
{
    Destroy();
}

bool Dib32::Create(int32_t width, int32_t height)
{
    Destroy();
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap || !bits) {
        Destroy();
        return false;
    }
    m_pixels = static_cast<uint32_t*>(bits);
    m_width = width;
    m_height = height;
    return true;
}

void Dib32::Destroy()
{
    ReleaseDC();
    if (m_bitmap)
        DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    m_pixels = nullptr;
    m_width = m_height = 0;
}

void Dib32::Fill(uint32_t pixel)
{
    if (!m_pixels)
        return;
    GdiFlush(); // drawing still queued for the bitmap must land first
    std::fill(m_pixels, m_pixels + GetPixelCount(), pixel);
}

HDC Dib32::GetDC()
{
    if (m_dc || !m_bitmap)
        return m_dc;
    m_dc = CreateCompatibleDC(nullptr);
    if (m_dc)
        m_previous = SelectObject(m_dc, m_bitmap);
    return m_dc;
}

void Dib32::ReleaseDC()
{
    if (!m_dc)
        return;
    SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
    m_dc = nullptr;
    m_previous = nullptr;
}
