#pragma once

#include "kovaform.h"

// The Windows form: paints the windowless plug-in instance into the form
// and forwards keyboard and mouse messages to it.
class KovaFormMSW : public KovaForm {
public:
    KovaFormMSW(wxWindow* parent, const CPackage& package, const CPackageForm& definition,
                const InstanceParams& params, int32_t formId, const wxPoint& position,
                const wxSize& size, long style);

    WXLRESULT MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    // False when the message is kept from the plug-in.
    bool ShouldForward(WXUINT message, WXWPARAM wParam);
    void Forward(WXUINT message, WXWPARAM wParam, WXLPARAM lParam);
};
