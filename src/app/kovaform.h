#pragma once

#include "instanceparams.h"
#include "movieform.h"

#include <wx/frame.h>
#include <wx/msw/wrapwin.h>
#include <wx/region.h>
#include <wx/timer.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CPackage;
class CPackageForm;
class FlashWnd;
class MenuEventHandler;
class wxJoystick;
class wxMenu;
class wxMenuBar;

// One form window playing one movie of the project in its own plug-in
// instance. The form registers in the command centre under its form id,
// which is also its window id, and leaves it when it goes. It turns what
// happens to its window into events for the movie's Application objects.
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
    // Jumps the main timeline to the frame number.
    void GoToFrame(int32_t frame);

    // Window operations of the scripting modules. They may be called from any
    // thread; the window work itself runs on the main thread.
    //
    // Mask shapes act on windows of type 2 only: the window keeps the pixels
    // of the BMP file that are not black, the mask's origin moved by (x, y).
    void AddMask(const wxString& bmpPath, int32_t x, int32_t y);
    void ShowMask(const wxString& bmpPath);
    // Gives a type 2 window its rectangular outline back; the last mask is kept.
    void HideMask();
    // Outer size limits; -1 leaves a direction unlimited.
    void SetSizeConstraints(int32_t minWidth, int32_t minHeight, int32_t maxWidth, int32_t maxHeight);
    // Moves the window 2 pixels down-right and up-left count times, 10 ms
    // apart, and back to where it was; blocks the calling thread meanwhile.
    // From the main thread, or while the caller keeps the form alive.
    void Shake(int32_t count);
    // The same for the form that findForm answers (null: none), called on the
    // main thread before every move, so no form pointer crosses threads and a
    // form that closes meanwhile ends the shake.
    static void Shake(const std::function<KovaForm*()>& findForm, int32_t count);
    bool ShowFullScreen(bool show, long style = wxFULLSCREEN_ALL) override;
    // Moves the window to 100 pixels right of and below the top left corner
    // of the monitor with that index; nothing for an index out of range.
    void ShowOnMonitor(int32_t index);
    // Shows the form's status bar, creating it the first time.
    void ShowStatusBar();
    // The current transparency of a fading (type 1) window; 255 otherwise.
    int32_t GetAlpha();
    // A fading (type 1) window takes the low 8 bits as its transparency, and
    // a later fade goes on from there; other window types keep theirs.
    void SetFadingAlpha(int32_t alpha);
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);
    void SetX(int32_t x);
    void SetY(int32_t y);
    // "min", "max" or "nor".
    wxString GetWindowState();
    wxMenuBar* GetOrCreateMenuBar();

    // The context menu of the Menu module; it pops up at the release of a
    // right button in mode 1 while it is enabled.
    wxMenu& ContextMenu() { return *m_contextMenu; }
    bool ContextMenuEnabled() const { return m_contextMenuEnabled; }
    void SetContextMenuEnabled(bool enabled) { m_contextMenuEnabled = enabled; }
    // Window dragging started and stopped by a command: the next button press
    // takes the offset and motion with a button held moves the window.
    void StartDrag();
    void StopDrag();
    // Joystick 1 (index 0) and joystick 2 (index 1), captured for the form
    // while it has the focus.
    wxJoystick& Joystick(int index) { return *m_joysticks[index & 1]; }

    // A menu command of the form: a click on its menu bar or its context menu.
    void OnMenuCommand(int itemId);
    // Receives every form's menu clicks: the form id, the event name
    // ("onMenuClick" for the menu bar, "onContextMenuClick" for the context
    // menu) and the payload {"name": label}. The Menu module sets it to its
    // broadcasters; without one the clicks go nowhere.
    using MenuClickReceiver =
        std::function<void(int32_t formId, const std::string& eventName, const std::string& payload)>;
    static void SetMenuClickReceiver(MenuClickReceiver receiver);

protected:
    // Puts the plug-in instance on the window, gives it the movie and shows
    // the form as its definition says.
    void CreateFlash();
    void LoadMovieFromPackage();
    // A plain movie that plays directly streams from the package itself,
    // descrambled piece by piece, so a large movie is never copied whole.
    // False for an enciphered movie, which must be deciphered first.
    bool StreamPlainMovie();
    void DestroyFlash();

    bool IsDirectMode() const;
    bool EscapeCloses() const;
    bool AltF4Allowed() const;
    // The definition's mode of the mouse button (0 left, 1 middle, 2 right):
    // 0 to the movie, 1 withheld, 2 drags the window.
    int32_t ButtonMode(int button) const;
    // Direct mode: hands the plug-in its child window at the client size.
    void SetChildWindowToClient();
    // Direct mode: takes the form's procedure off the child window and puts
    // it back.
    void UnhookChildWindow();
    void HookChildWindow();
    // The frame's kill-focus work; the direct-mode child window calls it too.
    void HandleKillFocus();

    std::unique_ptr<FlashWnd> m_pInstance;
    InstanceParams m_params;
    const CPackage& m_package;
    const CPackageForm& m_definition;
    bool m_dragArmed = false;
    bool m_dragging = false;
    wxPoint m_dragOffset;
    wxRegion m_shape;
    MenuEventHandler* m_menuHandler = nullptr;
    bool m_playsDirectly = true;
    wxString m_swfName;
    std::array<std::unique_ptr<wxJoystick>, 2> m_joysticks;
    std::unique_ptr<wxMenu> m_contextMenu;
    bool m_contextMenuEnabled = false;
    wxTimer m_fadeInTimer;
    int32_t m_alpha = 255;
    bool m_fadingOut = false;
    wxTimer m_fadeOutTimer;
    bool m_wasMaximized = false;
    HWND m_childWindow = nullptr;
    WNDPROC m_childWindowProc = nullptr;
    // Set while the frame loses the focus to its own direct-mode child window.
    bool m_focusToChild = false;
    // An embedded form in a window smaller than the display plays the
    // definition's second movie when there is one.
    bool m_preferSecondMovie = false;

private:
    static WXLRESULT CALLBACK DirectChildWindowProc(WXHWND window, WXUINT message, WXWPARAM wParam,
                                                   WXLPARAM lParam);

    void TraceJoysticks() const;
    void SetApplicationIcon();
    void ApplyWindowType();
    void CreateChildWindow();
    void PlaceAsDefined();
    void SetMaskFromFile(const wxString& bmpPath, int32_t x, int32_t y);
    // Gives the window a shape; an empty region restores the rectangle.
    void ApplyShape(const wxRegion& region);
    void SetAlpha(int32_t alpha);
    int32_t FadeTarget() const;

    // Events into the movie.
    void SendFormEvent(const std::string& eventName, const std::string& payload) const;
    void SendAppEvent(const std::string& eventName, const std::string& payload) const;
    std::string CurrentSizesPayload() const;
    void SendRestore() const;

    void OnClose(wxCloseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnMouseCaptureLost(wxMouseCaptureLostEvent& event);
    void OnMaximize(wxMaximizeEvent& event);
    void OnIconize(wxIconizeEvent& event);
    void OnMove(wxMoveEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnDropFiles(wxDropFilesEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMiddleDown(wxMouseEvent& event);
    void OnMiddleUp(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnRightUp(wxMouseEvent& event);
    void OnButtonDown(int button, const char* trace);
    void OnButtonUp(int button, const char* trace, const wxPoint& position);
    void OnFadeInTimer(wxTimerEvent& event);
    void OnFadeOutTimer(wxTimerEvent& event);

    void SendFocusEvents(bool focus) const;
    void CaptureMouseOnce();
    void ReleaseMouseIfCaptured();

    wxDECLARE_EVENT_TABLE();
};
