#pragma once

#include <wx/msw/wrapwin.h>

#include <d3d9.h>

#include <cstdint>
#include <functional>
#include <vector>

// One display mode of the default adapter.
struct DisplayMode {
    int32_t width;
    int32_t height;
    int32_t format; // a D3DFORMAT; always X8R8G8B8 (22) in the enumeration
};

// Exclusive Direct3D 9 full screen on one top-level window: the display
// switches to the asked mode, the window loses its caption and frame and
// becomes the device window, and every frame is painted into a DC of the
// device's back buffer and presented. Leaving gives the window its style and
// place back and the display its desktop mode.
//
// Main thread only: the device belongs to the thread of its focus window, so
// callers on other threads go through RunOnMainThread.
class Direct3DScreen {
public:
    // Paints one frame into the DC, which stands for the window's client area
    // of the given size.
    using FramePainter = std::function<void(HDC dc, int32_t width, int32_t height)>;

    Direct3DScreen() = default;
    ~Direct3DScreen();
    Direct3DScreen(const Direct3DScreen&) = delete;
    Direct3DScreen& operator=(const Direct3DScreen&) = delete;

    // Switches the window to full screen at width x height; -1 and -1 keep
    // the current display mode. True when full screen is on, also when it
    // already was (the mode is then left as it is). On failure everything is
    // released, the window restored, and the answer is false.
    bool Enter(HWND window, int32_t width, int32_t height);
    // Releases the device and restores the window; nothing when full screen
    // is off.
    void Leave();
    bool IsOn() const { return m_device != nullptr; }

    // One frame: resets a lost device when it can be reset, clears the back
    // buffer to red, lets the painter draw into it and presents it. A device
    // that is still lost fails quietly and is tried again next frame. Nothing
    // when full screen is off.
    void PaintFrame(const FramePainter& paint);

    // The modes of the default adapter in format X8R8G8B8, in the adapter's
    // order (one record per refresh rate, so sizes repeat); empty when
    // Direct3D is not available.
    static std::vector<DisplayMode> EnumerateDisplayModes();

private:
    bool Fail();
    void SaveWindowAndDropFrame();
    void RestoreWindow();
    bool ChooseBackBufferSize(int32_t width, int32_t height, UINT& backBufferWidth, UINT& backBufferHeight) const;
    void FillPresentParams(UINT width, UINT height);
    void DrawIntoBackBuffer(const FramePainter& paint);

    HWND m_window = nullptr;
    IDirect3D9* m_d3d = nullptr;
    IDirect3DDevice9* m_device = nullptr;
    bool m_windowSaved = false;
    LONG m_savedStyle = 0;
    RECT m_savedRect = {};
    D3DPRESENT_PARAMETERS m_presentParams = {};
};
