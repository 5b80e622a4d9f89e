#include "direct3dscreen.h"

namespace {

const D3DCOLOR kClearColour = 0x00FF0000; // red: shows where the movie does not draw

} // namespace

Direct3DScreen::~Direct3DScreen()
{
    Leave();
}

bool Direct3DScreen::Enter(HWND window, int32_t width, int32_t height)
{
    if (m_d3d)
        return true;
    m_window = window;
    SaveWindowAndDropFrame();
    m_d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!m_d3d)
        return Fail();
    UINT backBufferWidth = 0, backBufferHeight = 0;
    if (!ChooseBackBufferSize(width, height, backBufferWidth, backBufferHeight))
        return Fail();
    FillPresentParams(backBufferWidth, backBufferHeight);
    if (FAILED(m_d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, m_window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                   &m_presentParams, &m_device))) {
        m_device = nullptr;
        return Fail();
    }
    if (FAILED(m_device->SetDialogBoxMode(TRUE)))
        return Fail();
    ::InvalidateRect(m_window, nullptr, TRUE);
    return true;
}

void Direct3DScreen::Leave()
{
    if (m_device) {
        m_device->Release();
        m_device = nullptr;
    }
    if (m_d3d) {
        m_d3d->Release();
        m_d3d = nullptr;
    }
    // Also after a start that failed before the Direct3D object existed: the
    // window had already lost its frame.
    if (m_windowSaved)
        RestoreWindow();
}

bool Direct3DScreen::Fail()
{
    Leave();
    return false;
}

void Direct3DScreen::SaveWindowAndDropFrame()
{
    ::GetWindowRect(m_window, &m_savedRect);
    m_savedStyle = ::GetWindowLongW(m_window, GWL_STYLE);
    m_windowSaved = true;
    // No caption and no frame; the window stays as visible as it was.
    ::SetWindowLongW(m_window, GWL_STYLE, WS_POPUP | (m_savedStyle & WS_VISIBLE));
    ::SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Direct3DScreen::RestoreWindow()
{
    m_windowSaved = false;
    ::SetWindowLongW(m_window, GWL_STYLE, m_savedStyle);
    ::SetWindowPos(m_window, nullptr, m_savedRect.left, m_savedRect.top, m_savedRect.right - m_savedRect.left,
                   m_savedRect.bottom - m_savedRect.top, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOACTIVATE);
    ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool Direct3DScreen::ChooseBackBufferSize(int32_t width, int32_t height, UINT& backBufferWidth,
                                          UINT& backBufferHeight) const
{
    if (width == -1 && height == -1) {
        D3DDISPLAYMODE current = {};
        if (FAILED(m_d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &current)))
            return false;
        backBufferWidth = current.Width;
        backBufferHeight = current.Height;
        return true;
    }
    // Sizes no adapter offers (zero, negative) are left for CreateDevice to
    // refuse.
    backBufferWidth = static_cast<UINT>(width);
    backBufferHeight = static_cast<UINT>(height);
    return true;
}

void Direct3DScreen::FillPresentParams(UINT width, UINT height)
{
    m_presentParams = {};
    m_presentParams.BackBufferWidth = width;
    m_presentParams.BackBufferHeight = height;
    m_presentParams.BackBufferFormat = D3DFMT_X8R8G8B8;
    m_presentParams.BackBufferCount = 1;
    m_presentParams.MultiSampleType = D3DMULTISAMPLE_NONE;
    m_presentParams.SwapEffect = D3DSWAPEFFECT_DISCARD;
    m_presentParams.hDeviceWindow = m_window;
    m_presentParams.Windowed = FALSE;
    m_presentParams.EnableAutoDepthStencil = FALSE;
    // Dialog-box mode and GetDC on the back buffer need a lockable one.
    m_presentParams.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    m_presentParams.FullScreen_RefreshRateInHz = 0;
    m_presentParams.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
}

void Direct3DScreen::PaintFrame(const FramePainter& paint)
{
    if (!m_device)
        return;
    if (m_device->TestCooperativeLevel() == D3DERR_DEVICENOTRESET)
        m_device->Reset(&m_presentParams);
    // The target only: there is no depth buffer, and asking to clear one
    // makes the whole call fail.
    m_device->Clear(0, nullptr, D3DCLEAR_TARGET, kClearColour, 1.0f, 0);
    if (SUCCEEDED(m_device->BeginScene())) {
        DrawIntoBackBuffer(paint);
        m_device->EndScene();
    }
    m_device->Present(nullptr, nullptr, nullptr, nullptr);
}

void Direct3DScreen::DrawIntoBackBuffer(const FramePainter& paint)
{
    IDirect3DSurface9* backBuffer = nullptr;
    if (FAILED(m_device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)))
        return;
    HDC dc = nullptr;
    if (SUCCEEDED(backBuffer->GetDC(&dc))) {
        RECT client = {};
        ::GetClientRect(m_window, &client);
        paint(dc, client.right, client.bottom);
        backBuffer->ReleaseDC(dc);
    }
    backBuffer->Release();
}

std::vector<DisplayMode> Direct3DScreen::EnumerateDisplayModes()
{
    std::vector<DisplayMode> modes;
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!d3d)
        return modes;
    const UINT count = d3d->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8);
    for (UINT index = 0; index < count; ++index) {
        D3DDISPLAYMODE mode = {};
        if (SUCCEEDED(d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8, index, &mode)))
            modes.push_back({static_cast<int32_t>(mode.Width), static_cast<int32_t>(mode.Height),
                             static_cast<int32_t>(mode.Format)});
    }
    d3d->Release();
    return modes;
}
