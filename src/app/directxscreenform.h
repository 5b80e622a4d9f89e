#pragma once

#include <cstdint>

// What the DX9 commands need of a form: exclusive Direct3D full screen on its
// window (Direct3DScreen). The commands find the form in the command centre
// and reach these through a cast; they call them on the main thread.
class DirectXScreenForm {
public:
    virtual ~DirectXScreenForm() = default;

    // True when full screen is on, also when it already was; -1 and -1 keep
    // the current display mode.
    virtual bool EnterDirectXFullScreen(int32_t width, int32_t height) = 0;
    // Back to the desktop; nothing when full screen is off.
    virtual void LeaveDirectXFullScreen() = 0;
};
