#pragma once

#include <wx/msw/wrapwin.h>

#include <cstdint>

// A 32-bit bottom-up device-independent bitmap (blue, green, red, alpha per
// pixel, rows of width x 4 bytes) with a memory device context into which it
// is selected while in use.
class Dib32 {
public:
    Dib32() = default;
    Dib32(const Dib32&) = delete;
    Dib32& operator=(const Dib32&) = delete;
    ~Dib32();

    // Replaces the bitmap with a new one of that size; false (and empty) when
    // the system refused it.
    bool Create(int32_t width, int32_t height);
    void Destroy();
    bool IsNull() const { return m_bitmap == nullptr; }
    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }

    uint32_t* GetPixels() { return m_pixels; }
    size_t GetPixelCount() const { return size_t(m_width) * size_t(m_height); }
    void Fill(uint32_t pixel);

    // The memory DC with the bitmap selected, made on first use; null when the
    // system refused one.
    HDC GetDC();
    void ReleaseDC();

private:
    HBITMAP m_bitmap = nullptr;
    uint32_t* m_pixels = nullptr;
    int32_t m_width = 0;
    int32_t m_height = 0;
    HDC m_dc = nullptr;
    HGDIOBJ m_previous = nullptr;
};
