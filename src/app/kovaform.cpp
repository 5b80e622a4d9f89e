#include "kovaform.h"

#include "appstate.h"
#include "binresource.h"
#include "commandcentre.h"
#include "cpackage.h"
#include "cpackageform.h"
#include "flashhost.h"
#include "flashwnd.h"
#include "formeventpayloads.h"
#include "invokerequest.h"
#include "mainthread.h"
#include "maskregion.h"
#include "menueventhandler.h"
#include "nxaapplication.h"
#include "packageconstants.h"
#include "temporarymovies.h"

#include <wx/joystick.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

#include <algorithm>
#include <vector>

namespace {

const int32_t kFirstScriptableVersion = 9;
const uint16_t kLoaderMovieResource = 103;
const int kFadeInTimerId = 25000;
const int kFadeOutTimerId = 25001;
const int kApplicationIcon = 105;
const int kStatusBarIdOffset = 1000;
const int kShakeDistance = 2;
const int kShakePauseMs = 10;
// A shake blocks its thread; beyond this many repetitions (20 s) it would
// look like a hang.
const int32_t kMostShakes = 1000;
const int kMonitorMargin = 100;
const int kJoystickPollMs = 10;
const int32_t kDirectWmode = 4;
const int32_t kOpaque = 255;

enum WindowType { kFadeInWindow = 1, kMaskedWindow = 2, kLayeredWindow = 3 };
enum Button { kLeftButton = 0, kMiddleButton = 1, kRightButton = 2 };
enum ButtonMode { kButtonToMovie = 0, kButtonWithheld = 1, kButtonDrags = 2 };

KovaForm::MenuClickReceiver& MenuClickReceiverSlot()
{
    static KovaForm::MenuClickReceiver receiver;
    return receiver;
}

// Short trace lines for the debugger output.
void Trace(const wxString& line)
{
    OutputDebugStringW(line.wc_str());
}

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list)
{
    reinterpret_cast<std::vector<RECT>*>(list)->push_back(*rect);
    return TRUE;
}

} // namespace

wxBEGIN_EVENT_TABLE(KovaForm, wxFrame)
    EVT_CLOSE(KovaForm::OnClose)
    EVT_MOTION(KovaForm::OnMotion)
    EVT_MOUSE_CAPTURE_LOST(KovaForm::OnMouseCaptureLost)
    EVT_MAXIMIZE(KovaForm::OnMaximize)
    EVT_ICONIZE(KovaForm::OnIconize)
    EVT_MOVE(KovaForm::OnMove)
    EVT_SET_FOCUS(KovaForm::OnSetFocus)
    EVT_KILL_FOCUS(KovaForm::OnKillFocus)
    EVT_SIZE(KovaForm::OnSize)
    EVT_DROP_FILES(KovaForm::OnDropFiles)
    EVT_LEFT_DOWN(KovaForm::OnLeftDown)
    EVT_LEFT_UP(KovaForm::OnLeftUp)
    EVT_MIDDLE_DOWN(KovaForm::OnMiddleDown)
    EVT_MIDDLE_UP(KovaForm::OnMiddleUp)
    EVT_RIGHT_DOWN(KovaForm::OnRightDown)
    EVT_RIGHT_UP(KovaForm::OnRightUp)
    EVT_TIMER(kFadeInTimerId, KovaForm::OnFadeInTimer)
    EVT_TIMER(kFadeOutTimerId, KovaForm::OnFadeOutTimer)
wxEND_EVENT_TABLE()

KovaForm::KovaForm(wxWindow* parent, const CPackage& package, const CPackageForm& definition,
                   const InstanceParams& params, int32_t formId, const wxPoint& position,
                   const wxSize& size, long style)
    : wxFrame(parent, formId, wxEmptyString, position, size, style, wxS("KovaFormMSW")),
      m_params(params), m_package(package), m_definition(definition), m_contextMenu(std::make_unique<wxMenu>()),
      m_fadeInTimer(this, kFadeInTimerId), m_fadeOutTimer(this, kFadeOutTimerId)
{
    m_joysticks[0] = std::make_unique<wxJoystick>(wxJOYSTICK1);
    m_joysticks[1] = std::make_unique<wxJoystick>(wxJOYSTICK2);
    CommandCentre::Get().AddForm(formId, this);
    m_menuHandler = new MenuEventHandler(formId);
    PushEventHandler(m_menuHandler);
    TraceJoysticks();
    SetApplicationIcon();
    m_pInstance = std::make_unique<FlashWnd>(FlashHost::Get().PluginFuncs(), GetHWND());
}

KovaForm::~KovaForm()
{
    DestroyFlash();
    m_fadeInTimer.Stop();
    m_fadeOutTimer.Stop();
}

void KovaForm::SetMenuClickReceiver(MenuClickReceiver receiver)
{
    MenuClickReceiverSlot() = std::move(receiver);
}

wxString KovaForm::GetName() const
{
    return m_definition.Settings().name;
}

void KovaForm::CallFunction(const wxString& invokeRequest)
{
    wxString reply;
    if (m_pInstance)
        m_pInstance->CallFunction(invokeRequest, reply);
}

void KovaForm::CallMovieFunction(const wxString& functionName, const wxString& argumentText,
                                 const wxString& separator)
{
    CallFunction(BuildInvokeRequest(functionName.ToStdWstring(),
                                    SplitMovieArguments(argumentText.ToStdWstring(), separator.ToStdWstring())));
}

wxString KovaForm::CallMovieFunctionXml(const wxString& invokeRequest)
{
    wxString reply;
    if (!m_pInstance || !m_pInstance->CallFunction(invokeRequest, reply))
        return wxString();
    return reply;
}

wxString KovaForm::GetVariable(const wxString& name)
{
    wxString value;
    if (!m_pInstance || !m_pInstance->GetVariable(name, value))
        return wxString();
    return value;
}

void KovaForm::SetVariable(const wxString& name, const wxString& value)
{
    if (m_pInstance)
        m_pInstance->SetVariable(name, value);
}

void KovaForm::LoadMovie(int32_t level, const wxString& url)
{
    if (m_pInstance)
        m_pInstance->LoadMovie(level, url);
}

void KovaForm::GoToLabel(const wxString& label)
{
    if (m_pInstance)
        m_pInstance->TGotoLabel(wxS("/"), label);
}

void KovaForm::GoToFrame(int32_t frame)
{
    if (m_pInstance)
        m_pInstance->GotoFrame(frame);
}

void KovaForm::TraceJoysticks() const
{
    for (size_t index = 0; index < m_joysticks.size(); ++index)
        Trace(wxString::Format("Joystick %d ok?: %d\n", int(index + 1), m_joysticks[index]->IsOk() ? 1 : 0));
}

void KovaForm::SetApplicationIcon()
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON handle = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kApplicationIcon), IMAGE_ICON, 16, 16, 0));
    if (!handle)
        handle = LoadIconW(instance, MAKEINTRESOURCEW(kApplicationIcon));
    if (!handle)
        return;
    wxIcon icon;
    icon.CreateFromHICON(handle);
    SetIcon(icon);
}

void KovaForm::CreateFlash()
{
    m_pInstance->m_formId = GetId();
    ApplyWindowType();
    m_pInstance->New(m_params, GetHWND());
    if (IsDirectMode())
        CreateChildWindow();
    LoadMovieFromPackage();
    const FormSettings& settings = m_definition.Settings();
    SetTitle(settings.title);
    PlaceAsDefined();
    if (settings.initialState == 1)
        Iconize(true);
    else if (settings.initialState == 2)
        Maximize(true);
    if (settings.visible)
        Show(true);
    if (settings.windowType == kLayeredWindow)
        Refresh();
    if (m_childWindow) {
        ::InvalidateRect(m_childWindow, nullptr, TRUE);
        SetWindowLongPtrW(m_childWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        HookChildWindow();
    }
}

void KovaForm::ApplyWindowType()
{
    switch (m_definition.Settings().windowType) {
    case kFadeInWindow:
        SetAlpha(0);
        // The toolkit timer needs an interval of at least 1 ms (-1 means "the last one").
        m_fadeInTimer.Start(std::max(1, m_definition.Settings().fadeInterval));
        break;
    case kMaskedWindow: {
        std::unique_ptr<unsigned char[]> mask;
        int32_t length = 0;
        if (m_definition.GetMaskImage(mask, length) && length > 0 &&
            MaskRegionFromBytes(mask.get(), size_t(length), m_shape))
            ApplyShape(m_shape);
        break;
    }
    case kLayeredWindow:
        SetWindowLongPtrW(GetHWND(), GWL_EXSTYLE, GetWindowLongPtrW(GetHWND(), GWL_EXSTYLE) | WS_EX_LAYERED);
        ::UpdateWindow(GetHWND());
        break;
    default:
        break;
    }
}

void KovaForm::CreateChildWindow()
{
    const wxSize client = GetClientSize();
    m_childWindow = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, client.x, client.y, GetHWND(),
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    if (m_childWindow)
        SetChildWindowToClient();
}

void KovaForm::SetChildWindowToClient()
{
    const wxSize client = GetClientSize();
    NPWindow window = {};
    window.window = m_childWindow;
    window.width = uint32_t(std::max(0, client.x));
    window.height = uint32_t(std::max(0, client.y));
    window.type = NPWindowTypeWindow;
    m_pInstance->SetWindow(&window);
}

void KovaForm::HookChildWindow()
{
    m_childWindowProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        m_childWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KovaForm::DirectChildWindowProc)));
}

void KovaForm::UnhookChildWindow()
{
    if (!m_childWindow || !m_childWindowProc)
        return;
    SetWindowLongPtrW(m_childWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_childWindowProc));
    m_childWindowProc = nullptr;
}

WXLRESULT CALLBACK KovaForm::DirectChildWindowProc(WXHWND window, WXUINT message, WXWPARAM wParam, WXLPARAM lParam)
{
    auto* form = reinterpret_cast<KovaForm*>(GetWindowLongPtrW(static_cast<HWND>(window), GWLP_USERDATA));
    if (!form || !form->m_childWindowProc)
        return DefWindowProcW(static_cast<HWND>(window), message, wParam, lParam);
    switch (message) {
    case WM_KILLFOCUS:
        if (reinterpret_cast<HWND>(wParam) != form->GetHWND())
            form->HandleKillFocus();
        break;
    case WM_KEYUP:
        if (wParam == VK_ESCAPE && form->EscapeCloses())
            form->Close(false);
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && !form->AltF4Allowed())
            return 1;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        if (form->ButtonMode(kRightButton) != kButtonToMovie)
            return 1;
        break;
    default:
        break;
    }
    return CallWindowProcW(form->m_childWindowProc, static_cast<HWND>(window), message,
                           wParam, lParam);
}

void KovaForm::PlaceAsDefined()
{
    const FormSettings& settings = m_definition.Settings();
    if (m_package.Settings().mode != 0 || settings.sizeUnit != 0)
        return;
    SetClientSize(settings.width, settings.height);
    if (!settings.centre)
        return;
    const wxSize display = wxGetDisplaySize();
    const wxSize outer = GetSize();
    Move(display.x / 2 - outer.x / 2, display.y / 2 - outer.y / 2);
}

bool KovaForm::IsDirectMode() const
{
    return m_params.wmode == kDirectWmode;
}

bool KovaForm::EscapeCloses() const
{
    return m_definition.Settings().escapeCloses;
}

bool KovaForm::AltF4Allowed() const
{
    return m_definition.Settings().altF4Allowed;
}

int32_t KovaForm::ButtonMode(int button) const
{
    const FormSettings& settings = m_definition.Settings();
    switch (button) {
    case kLeftButton: return settings.leftButtonMode;
    case kMiddleButton: return settings.middleButtonMode;
    default: return settings.rightButtonMode;
    }
}

bool KovaForm::StreamPlainMovie()
{
    const ByteBlock* plain = m_definition.PlainMovieBlock(m_preferSecondMovie);
    if (!plain)
        return false;
    m_playsDirectly = true;
    m_pInstance->LoadSwf(plain->Length(), [plain](size_t offset, size_t count, uint8_t* out) {
        plain->CopyDescrambledRange(PackageConstants::kMovie, offset, count, out);
    });
    return true;
}

void KovaForm::LoadMovieFromPackage()
{
    if (m_definition.MovieVersion() >= kFirstScriptableVersion && StreamPlainMovie())
        return;
    int32_t length = 0;
    std::unique_ptr<unsigned char[]> movie;
    const bool found = (m_preferSecondMovie && m_definition.GetUnencryptedMovie(length, movie))
                       || m_definition.GetMovie(length, movie);
    if (!found)
        return;
    // The version always comes from the main movie, also when the second plays.
    if (m_definition.MovieVersion() >= kFirstScriptableVersion) {
        m_playsDirectly = true;
        m_pInstance->LoadSwfFromRam(movie.get(), length);
        return;
    }
    // Older movies cannot call the runtime: the loader movie asks for the
    // file's path ("nxa.init") and loads the movie in its own place.
    m_playsDirectly = false;
    m_swfName = TemporaryMovies::Write(movie.get(), length);
    const uint8_t* loader = nullptr;
    uint32_t loaderSize = 0;
    if (LoadBinResource(kLoaderMovieResource, loader, loaderSize))
        m_pInstance->LoadSwfFromRam(loader, int32_t(loaderSize));
}

void KovaForm::DestroyFlash()
{
    if (m_menuHandler) {
        PopEventHandler(true);
        m_menuHandler = nullptr;
    }
    if (m_pInstance) {
        UnhookChildWindow();
        m_pInstance->Destroy();
        m_pInstance.reset();
    }
    if (m_childWindow) {
        DestroyWindow(m_childWindow);
        m_childWindow = nullptr;
    }
    // A form whose id was taken already never entered the map; the form
    // registered under that id stays.
    if (CommandCentre::Get().FindForm(GetId()) == this)
        CommandCentre::Get().RemoveForm(GetId());
    if (GetAppState().MainForm() == this)
        GetAppState().ReleaseMainForm();
    m_contextMenu.reset();
}

void KovaForm::AddMask(const wxString& bmpPath, int32_t x, int32_t y)
{
    RunOnMainThread([&] { SetMaskFromFile(bmpPath, x, y); });
}

void KovaForm::ShowMask(const wxString& bmpPath)
{
    RunOnMainThread([&] { SetMaskFromFile(bmpPath, 0, 0); });
}

void KovaForm::SetMaskFromFile(const wxString& bmpPath, int32_t x, int32_t y)
{
    if (m_definition.Settings().windowType != kMaskedWindow)
        return;
    wxRegion region;
    if (!MaskRegionFromBmpFile(bmpPath, region))
        return;
    region.Offset(x, y);
    m_shape = region;
    ApplyShape(m_shape);
}

void KovaForm::HideMask()
{
    RunOnMainThread([&] {
        if (m_definition.Settings().windowType == kMaskedWindow)
            ApplyShape(wxRegion());
    });
}

void KovaForm::ApplyShape(const wxRegion& region)
{
    // The window takes the region it is given, so it gets a copy.
    HRGN shape = nullptr;
    if (region.IsOk() && !region.IsEmpty()) {
        shape = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(shape, static_cast<HRGN>(region.GetHRGN()), nullptr, RGN_COPY);
    }
    SetWindowRgn(GetHWND(), shape, TRUE);
}

void KovaForm::SetSizeConstraints(int32_t minWidth, int32_t minHeight, int32_t maxWidth, int32_t maxHeight)
{
    RunOnMainThread([&] {
        SetMinSize(wxSize(minWidth, minHeight));
        SetMaxSize(wxSize(maxWidth, maxHeight));
    });
}

void KovaForm::Shake(int32_t count)
{
    Shake([this] { return this; }, count);
}

void KovaForm::Shake(const std::function<KovaForm*()>& findForm, int32_t count)
{
    // Every step finds the form again on the main thread: a form that closes
    // meanwhile, or a shut-down that refuses main-thread work, ends the shake.
    auto moveForm = [&findForm](const std::function<wxPoint(KovaForm&)>& target) {
        bool moved = false;
        RunOnMainThread([&] {
            if (KovaForm* form = findForm()) {
                form->Move(target(*form));
                moved = true;
            }
        });
        return moved;
    };
    wxPoint origin;
    if (!moveForm([&origin](KovaForm& form) { return origin = form.GetPosition(); }))
        return;
    const wxPoint offset(kShakeDistance, kShakeDistance);
    for (int32_t shake = 0; shake < std::min(count, kMostShakes); ++shake) {
        if (!moveForm([&](KovaForm&) { return origin + offset; }))
            return;
        wxMilliSleep(kShakePauseMs);
        if (!moveForm([&](KovaForm&) { return origin - offset; }))
            return;
        wxMilliSleep(kShakePauseMs);
    }
    moveForm([&](KovaForm&) { return origin; });
}

bool KovaForm::ShowFullScreen(bool show, long style)
{
    bool switched = false;
    RunOnMainThread([&] {
        // The switch resizes the frame; the plug-in's child window is left
        // to its own procedure meanwhile.
        const bool hooked = m_childWindowProc != nullptr;
        UnhookChildWindow();
        switched = wxFrame::ShowFullScreen(show, style);
        if (hooked)
            HookChildWindow();
    });
    return switched;
}

void KovaForm::ShowOnMonitor(int32_t index)
{
    RunOnMainThread([&] {
        std::vector<RECT> monitors;
        if (!EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors)))
            return;
        if (index < 0 || size_t(index) >= monitors.size())
            return;
        Move(monitors[size_t(index)].left + kMonitorMargin, monitors[size_t(index)].top + kMonitorMargin);
    });
}

void KovaForm::ShowStatusBar()
{
    RunOnMainThread([&] {
        if (!GetStatusBar())
            CreateStatusBar(1, wxSTB_SIZEGRIP, GetId() + kStatusBarIdOffset, wxS("status_line"));
        GetStatusBar()->Show();
    });
}

int32_t KovaForm::GetAlpha()
{
    if (m_definition.Settings().windowType != kFadeInWindow)
        return kOpaque;
    COLORREF key = 0;
    BYTE alpha = kOpaque;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(GetHWND(), &key, &alpha, &flags) || !(flags & LWA_ALPHA))
        return kOpaque;
    return alpha;
}

void KovaForm::SetFadingAlpha(int32_t alpha)
{
    RunOnMainThread([&] {
        if (m_definition.Settings().windowType == kFadeInWindow)
            SetAlpha(alpha & 0xFF);
    });
}

void KovaForm::SetWidth(int32_t width)
{
    RunOnMainThread([&] {
        const wxRect rect = GetRect();
        SetSize(rect.x, rect.y, width, rect.height, wxSIZE_ALLOW_MINUS_ONE);
    });
}

void KovaForm::SetHeight(int32_t height)
{
    RunOnMainThread([&] {
        const wxRect rect = GetRect();
        SetSize(rect.x, rect.y, rect.width, height, wxSIZE_ALLOW_MINUS_ONE);
    });
}

void KovaForm::SetX(int32_t x)
{
    RunOnMainThread([&] {
        const wxRect rect = GetRect();
        SetSize(x, rect.y, rect.width, rect.height, wxSIZE_ALLOW_MINUS_ONE);
    });
}

void KovaForm::SetY(int32_t y)
{
    RunOnMainThread([&] {
        const wxRect rect = GetRect();
        SetSize(rect.x, y, rect.width, rect.height, wxSIZE_ALLOW_MINUS_ONE);
    });
}

wxString KovaForm::GetWindowState()
{
    wxString state = wxS("nor");
    RunOnMainThread([&] {
        if (IsIconized())
            state = wxS("min");
        else if (IsMaximized())
            state = wxS("max");
    });
    return state;
}

wxMenuBar* KovaForm::GetOrCreateMenuBar()
{
    wxMenuBar* bar = nullptr;
    RunOnMainThread([&] {
        bar = GetMenuBar();
        if (!bar) {
            bar = new wxMenuBar;
            SetMenuBar(bar);
        }
    });
    return bar;
}

void KovaForm::StartDrag()
{
    RunOnMainThread([&] {
        CaptureMouseOnce();
        m_dragArmed = m_dragging = true;
    });
}

void KovaForm::StopDrag()
{
    RunOnMainThread([&] {
        ReleaseMouseIfCaptured();
        m_dragging = m_dragArmed = false;
    });
}

void KovaForm::OnMenuCommand(int itemId)
{
    wxMenuBar* bar = GetOrCreateMenuBar();
    wxMenuItem* item = bar->FindItem(itemId);
    std::string eventName = "onMenuClick";
    if (!item) {
        item = m_contextMenu ? m_contextMenu->FindItem(itemId) : nullptr;
        eventName = "onContextMenuClick";
    }
    if (item && MenuClickReceiverSlot())
        MenuClickReceiverSlot()(GetId(), eventName, MenuClickPayload(item->GetItemLabelText()));
    Trace(wxString::Format("received menu item (id: %d)\n", itemId));
}

void KovaForm::SendFormEvent(const std::string& eventName, const std::string& payload) const
{
    nxaApplication::BroadcastFormEvent(GetId(), eventName, payload);
}

void KovaForm::SendAppEvent(const std::string& eventName, const std::string& payload) const
{
    // Only the main form speaks for the application.
    if (GetId() == 0)
        nxaApplication::BroadcastEvent(payload, eventName);
}

std::string KovaForm::CurrentSizesPayload() const
{
    const wxSize client = GetClientSize();
    const wxSize outer = GetSize();
    return SizesPayload(client.x, client.y, outer.x, outer.y);
}

void KovaForm::SendRestore() const
{
    SendAppEvent("onAppRestore", EmptyPayload());
    SendFormEvent("onFormRestore", CurrentSizesPayload());
}

void KovaForm::OnClose(wxCloseEvent& event)
{
    if (GetAppState().ExitHandlerEnabled()) {
        // The movie decides; a close that cannot be vetoed leaves the form too.
        if (GetId() == 0) {
            SendFormEvent("onAppExit", EmptyPayload());
        } else {
            Hide();
            SendFormEvent("onFormClose", EmptyPayload());
        }
        if (event.CanVeto())
            event.Veto();
        return;
    }
    if (m_fadingOut) {
        if (m_alpha > 0 && event.CanVeto()) {
            event.Veto();
            return;
        }
        event.Skip();
        return;
    }
    m_fadeInTimer.Stop();
    if (m_definition.Settings().fadeOutOnClose && event.CanVeto()) {
        m_fadingOut = true;
        m_fadeOutTimer.Start(std::max(1, m_definition.Settings().fadeInterval));
        event.Veto();
        return;
    }
    event.Skip();
}

void KovaForm::SetAlpha(int32_t alpha)
{
    m_alpha = alpha;
    SetTransparent(static_cast<wxByte>(alpha & 0xFF));
}

int32_t KovaForm::FadeTarget() const
{
    // A target the alpha could never meet ends the fade fully opaque.
    const int32_t target = m_definition.Settings().fadeTarget;
    return target >= 1 && target <= kOpaque ? target : kOpaque;
}

void KovaForm::OnFadeInTimer(wxTimerEvent& event)
{
    SetAlpha(std::min(m_alpha + 1, kOpaque));
    if (m_alpha >= FadeTarget())
        m_fadeInTimer.Stop();
    event.Skip();
}

void KovaForm::OnFadeOutTimer(wxTimerEvent&)
{
    // A fade-out that starts at 0 closes at once instead of counting on.
    SetAlpha(std::max(m_alpha - 1, 0));
    if (m_alpha > 0)
        return;
    m_fadeOutTimer.Stop();
    Close(false);
}

void KovaForm::OnSize(wxSizeEvent& event)
{
    Trace(wxString::Format("KovaForm::OnSize - w:%d, h:%d\n", event.GetSize().x, event.GetSize().y));
    SendFormEvent("onFormResize", CurrentSizesPayload());
    // Minimizing a maximized form is no restore; the iconize event reports it.
    if (IsMaximized()) {
        m_wasMaximized = true;
    } else if (m_wasMaximized && !IsIconized()) {
        m_wasMaximized = false;
        SendRestore();
    }
    event.Skip();
}

void KovaForm::OnMaximize(wxMaximizeEvent& event)
{
    SendAppEvent("onAppMaximize", EmptyPayload());
    SendFormEvent("onFormMaximize", CurrentSizesPayload());
    event.Skip();
}

void KovaForm::OnIconize(wxIconizeEvent& event)
{
    if (event.IsIconized()) {
        SendAppEvent("onAppMinimize", EmptyPayload());
        SendFormEvent("onFormMinimize", CurrentSizesPayload());
    } else {
        SendRestore();
    }
    event.Skip();
}

void KovaForm::OnMove(wxMoveEvent& event)
{
    const wxRect window = GetRect();
    SendFormEvent("onFormReposition", PositionPayload(window.x, window.y));
    const wxSize display = wxGetDisplaySize();
    for (const std::string& hit : EdgeHits(window.x, window.y, window.width, window.height, display.x, display.y))
        SendFormEvent(hit, EmptyPayload());
    event.Skip();
}

void KovaForm::SendFocusEvents(bool focus) const
{
    SendAppEvent("onAppChangeFocus", FocusPayload(focus));
    SendFormEvent("onFormChangeFocus", FocusPayload(focus));
}

void KovaForm::OnSetFocus(wxFocusEvent& event)
{
    Trace("set focus\n");
    for (const auto& joystick : m_joysticks)
        joystick->SetCapture(this, kJoystickPollMs);
    SendFocusEvents(true);
    event.Skip();
}

void KovaForm::OnKillFocus(wxFocusEvent& event)
{
    if (!m_focusToChild)
        HandleKillFocus();
    event.Skip();
}

void KovaForm::HandleKillFocus()
{
    Trace("kill focus\n");
    SendFocusEvents(false);
}

void KovaForm::OnDropFiles(wxDropFilesEvent& event)
{
    const wxString* files = event.GetFiles();
    const std::vector<wxString> paths(files, files + std::max(0, event.GetNumberOfFiles()));
    SendFormEvent("onDragDrop", FileListPayload(paths));
    event.Skip();
}

void KovaForm::OnMouseCaptureLost(wxMouseCaptureLostEvent&)
{
}

void KovaForm::CaptureMouseOnce()
{
    if (::GetCapture() != GetHWND())
        ::SetCapture(GetHWND());
}

void KovaForm::ReleaseMouseIfCaptured()
{
    if (::GetCapture() == GetHWND())
        ::ReleaseCapture();
}

void KovaForm::OnButtonDown(int button, const char* trace)
{
    Trace(trace);
    if (ButtonMode(button) == kButtonDrags && !m_dragArmed) {
        CaptureMouseOnce();
        m_dragArmed = m_dragging = true;
    }
    if (!m_dragging)
        return;
    if (button == kLeftButton)
        CaptureMouseOnce();
    m_dragOffset = wxGetMousePosition() - GetPosition();
}

void KovaForm::OnButtonUp(int button, const char* trace, const wxPoint& position)
{
    Trace(trace);
    if (button == kRightButton && ButtonMode(button) == kButtonWithheld && m_contextMenuEnabled)
        PopupMenu(m_contextMenu.get(), position);
    if (ButtonMode(button) == kButtonDrags && m_dragArmed) {
        ReleaseMouseIfCaptured();
        m_dragging = m_dragArmed = false;
    }
    ReleaseMouseIfCaptured();
}

void KovaForm::OnLeftDown(wxMouseEvent& event)
{
    OnButtonDown(kLeftButton, "OnLeftDown\n");
    event.Skip();
}

void KovaForm::OnLeftUp(wxMouseEvent& event)
{
    OnButtonUp(kLeftButton, "OnLeftUp\n", event.GetPosition());
    event.Skip();
}

void KovaForm::OnMiddleDown(wxMouseEvent& event)
{
    OnButtonDown(kMiddleButton, "OnMiddleDown\n");
    event.Skip();
}

void KovaForm::OnMiddleUp(wxMouseEvent& event)
{
    OnButtonUp(kMiddleButton, "OnMiddleUp\n", event.GetPosition());
    event.Skip();
}

void KovaForm::OnRightDown(wxMouseEvent& event)
{
    OnButtonDown(kRightButton, "OnRightDown\n");
    event.Skip();
}

void KovaForm::OnRightUp(wxMouseEvent& event)
{
    OnButtonUp(kRightButton, "OnRightUp\n", event.GetPosition());
    event.Skip();
}

void KovaForm::OnMotion(wxMouseEvent& event)
{
    if (m_dragArmed && event.Dragging() && (event.LeftIsDown() || event.MiddleIsDown() || event.RightIsDown()))
        Move(ClientToScreen(event.GetPosition()) - m_dragOffset);
    event.Skip();
}
