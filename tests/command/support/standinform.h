#pragma once

#include "movieform.h"

#include <vector>

// A form for tests: registers itself with the command centre under its id for
// as long as it lives and records every movie call it is asked to make.
class StandInForm : public MovieForm {
public:
    StandInForm(int32_t formId, const wxString& name, bool playsDirectly = true,
                const wxString& swfName = wxString());
    ~StandInForm() override;

    int32_t GetFormId() const override { return m_formId; }
    wxString GetName() const override { return m_name; }
    bool PlaysDirectly() const override { return m_playsDirectly; }
    wxString GetSwfName() const override { return m_swfName; }
    void CallFunction(const wxString& invokeRequest) override { m_calls.push_back(invokeRequest); }

    const std::vector<wxString>& Calls() const { return m_calls; }
    bool Registered() const { return m_registered; }

private:
    int32_t m_formId;
    wxString m_name;
    bool m_playsDirectly;
    wxString m_swfName;
    bool m_registered;
    std::vector<wxString> m_calls;
};
