#pragma once

class wxFrame;
class wxString;

// The status bar of a frame that has one; a frame without one is left as it
// is (showing the bar, which makes it, is the form's own operation). Main
// thread.
class FormStatusBar {
public:
    explicit FormStatusBar(wxFrame& frame) : m_frame(frame) {}

    // Hides the bar and gives its place back to the client area.
    void Hide();
    // The text of the first field.
    void SetText(const wxString& text);

private:
    wxFrame& m_frame;
};
