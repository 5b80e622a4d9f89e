#pragma once

#include "flashwnd.h"
#include "movieform.h"

#include <string>

class wxFrame;

// A form for the benchmarks: a frame with a stand-in player instance drawn
// into it, registered with the command centre under its id.
class PlayerForm : public MovieForm {
public:
    explicit PlayerForm(int32_t formId);
    ~PlayerForm() override;

    int32_t GetFormId() const override { return m_formId; }
    wxString GetName() const override { return "bench"; }
    bool PlaysDirectly() const override { return true; }
    wxString GetSwfName() const override { return wxString(); }
    void CallFunction(const wxString& invokeRequest) override;

    // Starts the instance and hands it the movie bytes.
    bool Play(const std::string& movie);

private:
    int32_t m_formId;
    wxFrame* m_frame;
    FlashWnd m_instance;
};
