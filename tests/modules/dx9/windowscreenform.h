#pragma once

#include "direct3dscreen.h"
#include "directxscreenform.h"
#include "standinform.h"
#include "testtopwindow.h"

#include <thread>
#include <vector>

// A registered form with a real window and real Direct3D full screen, wired
// the way the runtime's form is; records the thread of each operation.
class WindowScreenForm : public StandInForm, public DirectXScreenForm {
public:
    explicit WindowScreenForm(int32_t formId);

    bool EnterDirectXFullScreen(int32_t width, int32_t height) override;
    void LeaveDirectXFullScreen() override;

    HWND Window() const { return m_window.Handle(); }
    bool FullScreenOn() const { return m_screen.IsOn(); }
    const std::vector<std::thread::id>& OperationThreads() const { return m_threads; }

private:
    TestTopWindow m_window;
    Direct3DScreen m_screen;
    std::vector<std::thread::id> m_threads;
};
