#pragma once

#include "instanceparams.h"
#include "movieform.h"

#include <wx/frame.h>

#include <memory>

class CPackage;
class CPackageForm;
class FlashWnd;

// One form window playing one movie of the project in its own plug-in
// instance. The form registers in the command centre under its form id,
// which is also its window id, and leaves it when it goes.
class KovaForm : public wxFrame, public MovieForm {
public:
    KovaForm(wxWindow* parent, const CPackage& package, const CPackageForm& definition,
             const InstanceParams& params, int32_t formId, const wxPoint& position, const wxSize& size,
             long style);
    ~KovaForm() override;

    int32_t GetFormId() const override { return GetId(); }
    wxString GetName() const override;
    bool PlaysDirectly() const override { return m_playsDirectly; }
    wxString GetSwfName() const override { return m_swfName; }
    void CallFunction(const wxString& invokeRequest) override;

    // Calls a movie function with the arguments of the text, split at the
    // separator's characters; the movie's answer is dropped.
    void CallMovieFunction(const wxString& functionName, const wxString& argumentText,
                           const wxString& separator);
    // Passes a complete invoke request and returns the movie's answer (empty
    // when the call fails).
    wxString CallMovieFunctionXml(const wxString& invokeRequest);
    wxString GetVariable(const wxString& name);
    void SetVariable(const wxString& name, const wxString& value);
    void LoadMovie(int32_t level, const wxString& url);
    // Jumps the main timeline to the frame label.
    void GoToLabel(const wxString& label);

protected:
    // Puts the plug-in instance on the window, gives it the movie and shows
    // the form as its definition says.
    void CreateFlash();
    void LoadMovieFromPackage();
    void DestroyFlash();

    std::unique_ptr<FlashWnd> m_pInstance;
    InstanceParams m_params;
    const CPackage& m_package;
    const CPackageForm& m_definition;
    bool m_playsDirectly = true;
    wxString m_swfName;
};
