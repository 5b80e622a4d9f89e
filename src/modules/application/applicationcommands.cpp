#include "applicationcommands.h"

#include "applicationenvironment.h"
#include "applicationobject.h"
#include "appstate.h"
#include "commandargs.h"
#include "commandcentre.h"
#include "formcreation.h"
#include "kovaform.h"
#include "mainformwindow.h"
#include "mainthread.h"
#include "messagepump.h"
#include "speechmsw.h"
#include "textprinter.h"

#include <wx/utils.h>

#include <algorithm>
#include <functional>

namespace {

const int32_t kLongestDelayMs = 65535;

// The Application object named by the first argument, when the count is
// right and the id is in the map.
std::shared_ptr<Application> FindApplication(int32_t argc, json_object** argv, int32_t expectedArgc)
{
    if (argc != expectedArgc)
        return nullptr;
    return Applications().Find(ReadInt(argv[0]));
}

// Runs the work on the main form, on the main thread; false when there is no
// main form or the work could not run.
bool WithMainForm(const std::function<void(KovaForm&)>& work)
{
    bool ran = false;
    RunOnMainThread([&] {
        if (KovaForm* form = GetAppState().MainForm()) {
            work(*form);
            ran = true;
        }
    });
    return ran;
}

// A look-up result: JSON null for the not-found text, else the text.
json_object* TextOrNull(const wxString& text)
{
    return text == kNotFound ? nullptr : MakeText(text);
}

} // namespace

namespace nxaApplication {

json_object* __cdecl create(CallInfo* call, int32_t argc, json_object**)
{
    if (argc != 0)
        return MakeInt(-1);
    return MakeInt(Applications().Add(std::make_shared<Application>(*call)));
}

json_object* __cdecl bringToFront(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 1))
        WithMainForm([](KovaForm& form) { BringMainFormToFront(form); });
    return MakeInt(0);
}

json_object* __cdecl createForm(CallInfo*, int32_t argc, json_object** argv)
{
    if (!FindApplication(argc, argv, 8))
        return MakeFlag(false);
    const wxString formName = ReadText(argv[1]);
    const wxString styleName = ReadText(argv[2]);
    const wxString moviePath = ReadText(argv[3]);
    const int32_t x = ReadInt(argv[4]), y = ReadInt(argv[5]), width = ReadInt(argv[6]), height = ReadInt(argv[7]);
    bool created = false;
    RunOnMainThread(
        [&] { created = CreateFormFromFile(moviePath, styleName, formName, x, y, width, height); });
    return MakeFlag(created);
}

json_object* __cdecl delay(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 2))
        wxMilliSleep(static_cast<unsigned long>(std::clamp(ReadInt(argv[1]), 0, kLongestDelayMs)));
    return MakeInt(0);
}

json_object* __cdecl doEvents(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 1))
        PumpMessages();
    return MakeInt(0);
}

json_object* __cdecl enableExitHandler(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 1))
        GetAppState().SetExitHandlerEnabled(true);
    return MakeInt(0);
}

json_object* __cdecl exit(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 3)) {
        const wxString caption = ReadText(argv[1]);
        const wxString message = ReadText(argv[2]);
        RunOnMainThread([&] { GetAppState().RequestExit(caption, message); });
    }
    return MakeInt(0);
}

json_object* __cdecl exitWithCode(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 2)) {
        const int32_t code = ReadInt(argv[1]);
        RunOnMainThread([&] { GetAppState().ExitWithCode(code); });
    }
    return MakeInt(0);
}

json_object* __cdecl getCMDParams(CallInfo*, int32_t argc, json_object** argv)
{
    if (!FindApplication(argc, argv, 2))
        return MakeText(wxString());
    return TextOrNull(GetCommandLineParameter(ReadInt(argv[1])));
}

json_object* __cdecl getEnvVar(CallInfo*, int32_t argc, json_object** argv)
{
    if (!FindApplication(argc, argv, 2))
        return MakeText(wxString());
    return TextOrNull(GetEnvironmentValue(ReadText(argv[1])));
}

json_object* __cdecl getFormNames(CallInfo*, int32_t argc, json_object** argv)
{
    std::vector<wxString> names;
    if (FindApplication(argc, argv, 1))
        RunOnMainThread([&] { names = CommandCentre::Get().GetFormNames(); });
    return MakeTextArray(names);
}

json_object* __cdecl getGlobalVar(CallInfo*, int32_t argc, json_object** argv)
{
    if (!FindApplication(argc, argv, 2))
        return MakeText(wxString());
    return TextOrNull(GetGlobalVariable(GetAppState().Package().get(), ReadText(argv[1])));
}

json_object* __cdecl getSecureVar(CallInfo*, int32_t argc, json_object** argv)
{
    if (!FindApplication(argc, argv, 2))
        return MakeText(wxString());
    return TextOrNull(GetSecureVariable(GetAppState().Package().get(), ReadText(argv[1])));
}

json_object* __cdecl init(CallInfo*, int32_t, json_object**)
{
    return MakeInt(0);
}

json_object* __cdecl maximize(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 1))
        WithMainForm([](KovaForm& form) { form.Maximize(true); });
    return MakeInt(0);
}

json_object* __cdecl minimize(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 1))
        WithMainForm([](KovaForm& form) { MinimizeMainForm(form, GetAppState().MinimizeToTray()); });
    return MakeInt(0);
}

json_object* __cdecl minimizeToTray(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 2))
        GetAppState().SetMinimizeToTray(ReadFlag(argv[1]));
    return MakeInt(0);
}

json_object* __cdecl printVar(CallInfo* call, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 3))
        PrintText(call->formId, ReadText(argv[1]), ReadFlag(argv[2]));
    return MakeInt(0);
}

json_object* __cdecl restore(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 1))
        WithMainForm([](KovaForm& form) { RestoreMainForm(form); });
    return MakeInt(0);
}

json_object* __cdecl say(CallInfo* call, int32_t argc, json_object** argv)
{
    const std::shared_ptr<Application> application = FindApplication(argc, argv, 2);
    if (application && application->Speech())
        application->Speech()->Say(ReadText(argv[1]), call->isAsync != 0);
    return MakeInt(0);
}

json_object* __cdecl sendToBack(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 1))
        WithMainForm([](KovaForm& form) { SendMainFormToBack(form); });
    return MakeInt(0);
}

json_object* __cdecl setEnvVar(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 3))
        SetEnvironmentValue(ReadText(argv[1]), ReadText(argv[2]));
    return MakeInt(0);
}

json_object* __cdecl shake(CallInfo*, int32_t argc, json_object** argv)
{
    if (!FindApplication(argc, argv, 2))
        return MakeInt(0);
    const int32_t count = ReadInt(argv[1]);
    // Shake moves the window from the main thread itself; it is found there.
    KovaForm* form = nullptr;
    RunOnMainThread([&] { form = GetAppState().MainForm(); });
    if (form)
        form->Shake(count);
    return MakeInt(0);
}

json_object* __cdecl get_filename(CallInfo*, int32_t argc, json_object** argv)
{
    return MakeText(FindApplication(argc, argv, 1) ? GetProgramFileName() : wxString());
}

json_object* __cdecl isMinimized(CallInfo*, int32_t argc, json_object** argv)
{
    bool minimized = true;
    if (FindApplication(argc, argv, 1))
        WithMainForm([&](KovaForm& form) { minimized = form.IsIconized(); });
    return MakeFlag(minimized);
}

json_object* __cdecl get_path(CallInfo*, int32_t argc, json_object** argv)
{
    return MakeText(FindApplication(argc, argv, 1) ? GetCurrentDirWithSlash() : wxString());
}

json_object* __cdecl get_title(CallInfo*, int32_t argc, json_object** argv)
{
    wxString title;
    if (FindApplication(argc, argv, 1))
        WithMainForm([&](KovaForm& form) { title = form.GetTitle(); });
    return MakeText(title);
}

json_object* __cdecl set_title(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 2)) {
        const wxString title = ReadText(argv[1]);
        WithMainForm([&](KovaForm& form) { form.SetTitle(title); });
    }
    return MakeInt(0);
}

json_object* __cdecl set_windowStaysOnTop(CallInfo*, int32_t argc, json_object** argv)
{
    if (FindApplication(argc, argv, 2)) {
        const bool stayOnTop = ReadFlag(argv[1]);
        WithMainForm([&](KovaForm& form) { SetMainFormStaysOnTop(form, stayOnTop); });
    }
    return MakeInt(0);
}

void ClearApplications()
{
    Applications().Clear();
}

} // namespace nxaApplication
