#include "formcreation.h"

#include "appstate.h"
#include "commandcentre.h"
#include "cpackage.h"
#include "cpackageform.h"
#include "kovaformmsw.h"
#include "swfheader.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/frame.h>

#include <windows.h>

#include <cmath>

namespace {

enum WindowMode { kNormalMode = 0, kEmbeddedMode = 1, kFullScreenMode = 2 };

int32_t Percent(int32_t percent, int32_t whole)
{
    return static_cast<int32_t>(std::lround(percent * static_cast<double>(whole) / 100.0));
}

long FrameKindStyle(long style, int32_t frameKind)
{
    switch (frameKind) {
    case 1: return style | wxRESIZE_BORDER;
    case 2: return style | wxFRAME_TOOL_WINDOW;
    case 3: return style | wxRESIZE_BORDER | wxFRAME_TOOL_WINDOW;
    case 4: return style & ~(wxMINIMIZE_BOX | wxMAXIMIZE_BOX);
    case 5: return style & ~wxCAPTION;
    default: return style;
    }
}

wxSize DisplaySize()
{
    // The primary display's size from the system: the toolkit's display list
    // would first set up its own monitor tracking, a hidden window among it,
    // which costs the first form ~10 ms of start-up.
    return wxSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

} // namespace

InstanceParams BuildInstanceParams(const PackageSettings& package, const FormSettings& settings)
{
    InstanceParams params;
    params.menu = params.play = params.loop = true;
    const uint32_t colour = static_cast<uint32_t>(settings.backgroundColour);
    params.bgcolor = wxString::Format("#%2.2x%2.2x%2.2x", colour & 0xff, (colour >> 8) & 0xff,
                                      (colour >> 16) & 0xff);
    params.wmode = settings.windowType == 3 ? 2 : settings.direct ? 4 : 1;
    if (package.mode == kEmbeddedMode || (settings.scale && settings.keepAspect))
        params.scale = 1;
    else
        params.scale = settings.scale ? 4 : 2;
    params.quality = 32;
    return params;
}

long FormStyle(const PackageSettings& package, const FormSettings& settings, int32_t formId)
{
    long style = wxCLIP_CHILDREN | wxSYSTEM_MENU | (settings.noCaption ? 0 : wxCAPTION);
    if (settings.maximizeBox)
        style |= wxMAXIMIZE_BOX;
    if (settings.minimizeBox)
        style |= wxMINIMIZE_BOX;
    if (settings.closeBox)
        style |= wxCLOSE_BOX;
    style = FrameKindStyle(style, settings.frameKind);
    if (settings.windowType == 2)
        style = wxCLIP_CHILDREN | wxSYSTEM_MENU | wxFRAME_SHAPED;
    else if (settings.windowType == 3)
        style = wxCLIP_CHILDREN | wxSYSTEM_MENU;
    if (!package.showInTaskbar)
        style |= wxFRAME_NO_TASKBAR;
    if (settings.stayOnTop)
        style |= formId == 0 ? wxSTAY_ON_TOP : wxFRAME_FLOAT_ON_PARENT;
    return style;
}

wxSize FormSize(const FormSettings& settings, const wxSize& display)
{
    if (settings.sizeUnit == 0)
        return wxSize(settings.width, settings.height);
    if (settings.sizeUnit == 1)
        return wxSize(Percent(settings.width, display.x), Percent(settings.height, display.y));
    return wxSize(0, 0);
}

wxPoint FormPosition(const FormSettings& settings, const wxSize& display)
{
    if (settings.centre) {
        const wxSize size = FormSize(settings, display);
        return wxPoint(display.x / 2 - size.x / 2, display.y / 2 - size.y / 2);
    }
    if (settings.positionUnit == 0)
        return wxPoint(settings.x, settings.y);
    if (settings.positionUnit == 1)
        return wxPoint(Percent(settings.x, display.x), Percent(settings.y, display.y));
    return wxPoint(0, 0);
}

bool CreateForm(const CPackageForm& definition, AppState& state)
{
    const CPackage& package = *state.Package();
    const int32_t mode = package.Settings().mode;
    if (mode != kNormalMode && mode != kFullScreenMode)
        return false;
    const int32_t formId = state.FormCounter();
    const wxSize display = DisplaySize();
    const FormSettings& settings = definition.Settings();
    wxPoint position = FormPosition(settings, display);
    wxSize size = FormSize(settings, display);
    long style = FormStyle(package.Settings(), settings, formId);
    if (mode == kFullScreenMode) {
        position = wxPoint(0, 0);
        size = display;
        style = 0;
    }
    auto* form = new KovaFormMSW(state.MainForm(), package, definition,
                                 BuildInstanceParams(package.Settings(), settings), formId, position, size, style);
    if (formId == 0)
        state.SetMainForm(form);
    state.CountForm();
    return true;
}

bool IsFormMovieFile(const wxString& path)
{
    SwfHeader header;
    return wxFileExists(path) && wxFileName(path).GetExt().Lower() == wxS("swf")
        && ReadSwfHeader(path.ToStdWstring(), header);
}

bool FormStyleByName(const wxString& styleName, int32_t& windowType, int32_t& frameKind)
{
    static const struct {
        const char* name;
        int32_t windowType;
        int32_t frameKind;
    } styles[] = {
        {"standard", 0, 0}, {"sizeablestandard", 0, 1}, {"tool", 0, 2},       {"sizeabletool", 0, 3},
        {"dialog", 0, 4},   {"noborder", 0, 5},         {"transparent", 3, 0},
    };
    for (const auto& style : styles) {
        if (styleName == style.name) {
            windowType = style.windowType;
            frameKind = style.frameKind;
            return true;
        }
    }
    return false;
}

FormSettings RuntimeFormSettings(const wxString& formName, int32_t windowType, int32_t frameKind, int32_t x,
                                 int32_t y, int32_t width, int32_t height)
{
    FormSettings settings;
    settings.name = formName.ToStdWstring();
    settings.x = x;
    settings.y = y;
    settings.width = width;
    settings.height = height;
    settings.windowType = windowType;
    settings.frameKind = frameKind;
    settings.noCaption = false;
    settings.maximizeBox = settings.minimizeBox = settings.closeBox = true;
    settings.scale = true;
    settings.visible = true;
    settings.fadeTarget = 255;
    settings.altF4Allowed = true;
    return settings;
}

std::shared_ptr<CPackageForm> MakeRuntimeDefinition(const FormSettings& settings, const wxString& moviePath)
{
    auto definition = std::make_shared<CPackageForm>(settings);
    if (!definition->LoadMovieFile(moviePath.ToStdWstring()))
        return nullptr;
    return definition;
}

bool CreateFormFromFile(const wxString& moviePath, const wxString& styleName, const wxString& formName, int32_t x,
                        int32_t y, int32_t width, int32_t height)
{
    int32_t windowType = 0;
    int32_t frameKind = 0;
    if (CommandCentre::Get().FindFormByName(formName) || !FormStyleByName(styleName, windowType, frameKind)
        || !IsFormMovieFile(moviePath))
        return false;
    AppState& state = GetAppState();
    if (!state.Package())
        return false;
    std::shared_ptr<CPackageForm> definition = MakeRuntimeDefinition(
        RuntimeFormSettings(formName, windowType, frameKind, x, y, width, height), moviePath);
    if (!definition || !CreateForm(*definition, state))
        return false;
    state.KeepRuntimeDefinition(definition);
    return true;
}
