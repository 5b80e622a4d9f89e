#pragma once

#include "direct3dscreen.h"
#include "directxscreenform.h"
#include "kovaform.h"

// The Windows form. Windowless mode: paints the plug-in instance into the
// form and forwards keyboard and mouse messages to it, keeping back what the
// definition withholds. Direct mode (wmode "direct"): the plug-in owns a child
// window; the form only sizes it and applies the Escape and Alt+F4 settings.
// In Direct3D full screen a windowless form paints through the device.
class KovaFormMSW : public KovaForm, public DirectXScreenForm {
public:
    KovaFormMSW(wxWindow* parent, const CPackage& package, const CPackageForm& definition,
                const InstanceParams& params, int32_t formId, const wxPoint& position,
                const wxSize& size, long style);
    ~KovaFormMSW() override;

    bool EnterDirectXFullScreen(int32_t width, int32_t height) override;
    void LeaveDirectXFullScreen() override;

    WXLRESULT MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) override;

private:
    WXLRESULT WindowlessWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam);
    WXLRESULT DirectWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam);
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    // False when the message is kept from the plug-in.
    bool ShouldForward(WXUINT message, WXWPARAM wParam) const;
    void Forward(WXUINT message, WXWPARAM wParam, WXLPARAM lParam);
    // Direct mode: the child window follows the client size.
    void ResizeChildWindow();
    void PaintDirect3DFrame();

    Direct3DScreen m_directX;

    wxDECLARE_EVENT_TABLE();
};
