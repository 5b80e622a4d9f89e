#pragma once

class wxFrame;

// The caption and the caption buttons of a frame, switched one at a time: the
// frame's style is read, one flag set or cleared and the style written back,
// so the other flags stay as they are. Main thread.
class FormWindowStyle {
public:
    explicit FormWindowStyle(wxFrame& frame) : m_frame(frame) {}

    void ShowCaption(bool shown);
    void ShowMaximizeBox(bool shown);
    void ShowMinimizeBox(bool shown);
    // Enables or greys the close command of the system menu, and with it the
    // close button of the caption.
    void EnableClose(bool enabled);

private:
    void SetFlag(long flag, bool on);

    wxFrame& m_frame;
};
