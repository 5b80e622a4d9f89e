#pragma once

#include "movieform.h"

#include <wx/frame.h>

// A form with a real (hidden) frame window, registered in the command centre
// under its id while it lives: for commands that hand the calling form's
// native window to the system.
class WindowedForm : public wxFrame, public MovieForm {
public:
    explicit WindowedForm(int32_t formId);
    ~WindowedForm() override;

    int32_t GetFormId() const override { return m_formId; }
    wxString GetName() const override { return L"windowed"; }
    bool PlaysDirectly() const override { return true; }
    wxString GetSwfName() const override { return wxString(); }
    void CallFunction(const wxString&) override {}

private:
    int32_t m_formId;
};
