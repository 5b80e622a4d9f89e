#pragma once

#include "dib32.h"
#include "flashinstance.h"
#include "flashview.h"

#include <wx/msw/wrapwin.h>

// A windowless plug-in instance drawn into a form's own window: it turns the
// plug-in's invalidations into repaints, paints the instance into the form's
// device context and, when the movie draws with transparency, composes a
// per-pixel-alpha image for the layered window.
class FlashWnd : public FlashView, public FlashInstance {
public:
    FlashWnd(const NPPluginFuncs& pluginFuncs, HWND hWnd);
    ~FlashWnd() override;

    void* GetNativeWindow() const override { return m_hWnd; }
    void InvalidateRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void Invalidate() override;

    // Paints the instance into the DC (the form's paint DC or a back buffer).
    void Paint(HDC dc);
    // One windowless paint of the instance into the DC.
    void PaintInto(HDC dc);
    // Hands the plug-in a drawable record without painting.
    void SetDrawable(HDC dc, int32_t width, int32_t height, uint16_t clipRight, uint16_t clipBottom);

private:
    SIZE WindowSize() const;
    bool PrepareImages(const SIZE& size);
    void ProcessImages();
    void UpdateLayered(HDC dc);

    HWND m_hWnd;
    Dib32 m_img0; // drawn over black; the layered window's source
    Dib32 m_img1; // drawn over white
    RECT m_invalidRect = {};
};
