#include "applicationcommands.h"

#include "applicationenvironment.h"
#include "applicationobject.h"
#include "appstate.h"
#include "commandcentre.h"
#include "formcreation.h"
#include "kovaform.h"
#include "mainformwindow.h"
#include "mainthread.h"
#include "messagepump.h"
#include "objectrows.h"
#include "speechmsw.h"
#include "textprinter.h"

#include <wx/time.h>
#include <wx/utils.h>

#include <algorithm>
#include <functional>

namespace {

const int32_t kLongestDelayMs = 65535;
const int32_t kDelayStepMs = 10;

// Runs the action for the Application object named by the first argument and
// answers 0 (the row's fallback when the id is unknown).
template <class Action>
json_object* ApplicationAction(int32_t argc, json_object** argv, Action&& action)
{
    return WithObject(Applications(), argc, argv, [&](Application& application) {
        action(application);
        return MakeInt(0);
    });
}

// Answers what the getter makes for the Application object named by the
// first argument.
template <class Getter>
json_object* ApplicationValue(int32_t argc, json_object** argv, Getter&& getter)
{
    return WithObject(Applications(), argc, argv, [&](Application&) { return getter(); });
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

// Sleeps in short steps so that a shut-down does not have to cut it off.
void SleepUnlessShuttingDown(int32_t milliseconds)
{
    const wxLongLong end = wxGetLocalTimeMillis() + milliseconds;
    while (!IsShuttingDown()) {
        const wxLongLong left = end - wxGetLocalTimeMillis();
        if (left <= 0)
            return;
        wxMilliSleep(static_cast<unsigned long>(std::min<wxLongLong>(left, kDelayStepMs).GetValue()));
    }
}

} // namespace

namespace nxaApplication {

json_object* __cdecl create(CallInfo* call, int32_t, json_object**)
{
    return AddObject(Applications(), std::make_shared<Application>(*call));
}

json_object* __cdecl bringToFront(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [](Application&) {
        WithMainForm([](KovaForm& form) { BringMainFormToFront(form); });
    });
}

json_object* __cdecl createForm(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationValue(argc, argv, [&] {
        return MakeFlag(CreateFormFromFile(ReadText(argv[3]), ReadText(argv[2]), ReadText(argv[1]), ReadInt(argv[4]),
                                           ReadInt(argv[5]), ReadInt(argv[6]), ReadInt(argv[7])));
    });
}

json_object* __cdecl delay(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [&](Application&) {
        SleepUnlessShuttingDown(std::clamp(ReadInt(argv[1]), 0, kLongestDelayMs));
    });
}

// Runs on the main thread (its row flag), also by the asynchronous road, so
// it always pumps the main thread's queue.
json_object* __cdecl doEvents(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [](Application&) { PumpMessages(); });
}

json_object* __cdecl enableExitHandler(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [](Application&) { GetAppState().SetExitHandlerEnabled(true); });
}

json_object* __cdecl exit(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [&](Application&) {
        GetAppState().RequestExit(ReadText(argv[1]), ReadText(argv[2]));
    });
}

json_object* __cdecl exitWithCode(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [&](Application&) { GetAppState().ExitWithCode(ReadInt(argv[1])); });
}

json_object* __cdecl getCMDParams(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationValue(argc, argv, [&] { return TextOrNull(GetCommandLineParameter(ReadInt(argv[1]))); });
}

json_object* __cdecl getEnvVar(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationValue(argc, argv, [&] { return TextOrNull(GetEnvironmentValue(ReadText(argv[1]))); });
}

json_object* __cdecl getFormNames(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationValue(argc, argv, [] { return MakeTextArray(CommandCentre::Get().GetFormNames()); });
}

json_object* __cdecl getGlobalVar(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationValue(argc, argv, [&] {
        return TextOrNull(GetGlobalVariable(GetAppState().Package().get(), ReadText(argv[1])));
    });
}

json_object* __cdecl getSecureVar(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationValue(argc, argv, [&] {
        return TextOrNull(GetSecureVariable(GetAppState().Package().get(), ReadText(argv[1])));
    });
}

json_object* __cdecl init(CallInfo*, int32_t, json_object**)
{
    return MakeInt(0);
}

json_object* __cdecl maximize(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [](Application&) {
        WithMainForm([](KovaForm& form) { form.Maximize(true); });
    });
}

json_object* __cdecl minimize(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [](Application&) {
        WithMainForm([](KovaForm& form) { MinimizeMainForm(form, GetAppState().MinimizeToTray()); });
    });
}

json_object* __cdecl minimizeToTray(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [&](Application&) { GetAppState().SetMinimizeToTray(ReadFlag(argv[1])); });
}

json_object* __cdecl printVar(CallInfo* call, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [&](Application&) {
        PrintText(call->formId, ReadText(argv[1]), ReadFlag(argv[2]));
    });
}

json_object* __cdecl restore(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [](Application&) {
        WithMainForm([](KovaForm& form) { RestoreMainForm(form); });
    });
}

json_object* __cdecl say(CallInfo* call, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [&](Application& application) {
        if (application.Speech())
            application.Speech()->Say(ReadText(argv[1]), call->isAsync != 0);
    });
}

json_object* __cdecl sendToBack(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [](Application&) {
        WithMainForm([](KovaForm& form) { SendMainFormToBack(form); });
    });
}

json_object* __cdecl setEnvVar(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [&](Application&) {
        SetEnvironmentValue(ReadText(argv[1]), ReadText(argv[2]));
    });
}

// Runs on the calling thread for up to 20 s; the main form is found again on
// the main thread for every move, so its closing meanwhile ends the shake.
json_object* __cdecl shake(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [&](Application&) {
        KovaForm::Shake([] { return GetAppState().MainForm(); }, ReadInt(argv[1]));
    });
}

json_object* __cdecl get_filename(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationValue(argc, argv, [] { return MakeText(GetProgramFileName()); });
}

json_object* __cdecl isMinimized(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationValue(argc, argv, [] {
        bool minimized = true;
        WithMainForm([&](KovaForm& form) { minimized = form.IsIconized(); });
        return MakeFlag(minimized);
    });
}

json_object* __cdecl get_path(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationValue(argc, argv, [] { return MakeText(GetCurrentDirWithSlash()); });
}

json_object* __cdecl get_title(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationValue(argc, argv, [] {
        wxString title;
        WithMainForm([&](KovaForm& form) { title = form.GetTitle(); });
        return MakeText(title);
    });
}

json_object* __cdecl set_title(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [&](Application&) {
        const wxString title = ReadText(argv[1]);
        WithMainForm([&](KovaForm& form) { form.SetTitle(title); });
    });
}

json_object* __cdecl set_windowStaysOnTop(CallInfo*, int32_t argc, json_object** argv)
{
    return ApplicationAction(argc, argv, [&](Application&) {
        const bool stayOnTop = ReadFlag(argv[1]);
        WithMainForm([&](KovaForm& form) { SetMainFormStaysOnTop(form, stayOnTop); });
    });
}

} // namespace nxaApplication
