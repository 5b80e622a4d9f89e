#include "nxaforms.h"

#include "appstate.h"
#include "commandargs.h"
#include "commandcentre.h"
#include "formstatusbar.h"
#include "formwindowstyle.h"
#include "kovaform.h"
#include "mainformwindow.h"
#include "namedform.h"
#include "rowcontext.h"

#include <functional>

namespace {

// Runs the action on the form named by the first argument and answers 0, the
// default result of every action row.
json_object* FormAction(json_object** argv, const std::function<void(KovaForm&)>& action)
{
    WithNamedForm(ReadText(argv[0]), action);
    return MakeInt(0);
}

// Answers what the getter makes of the form named by the first argument; the
// row's default result when no form has the name.
json_object* FormValue(json_object** argv, const std::function<json_object*(KovaForm&)>& getter)
{
    json_object* value = nullptr;
    if (!WithNamedForm(ReadText(argv[0]), [&](KovaForm& form) { value = getter(form); }))
        return RowFallback();
    return value;
}

// Every row's window and plug-in work runs on the main thread, by either
// road, except the shake: it moves the window step by step from the calling
// thread, so an asynchronous shake does not hold the main thread.
const RowSpec kRows[] = {
    {"nxa.Forms.create", nxaForms::create, kAnyArgCount, "-1", kMainThread},
    {"nxa.Forms.addMask", nxaForms::addMask, 4, "0", kMainThread},
    {"nxa.Forms.callFunction", nxaForms::callFunction, 4, "0", kMainThread},
    {"nxa.Forms.callFunction2", nxaForms::callFunction2, 2, "\"\"", kMainThread},
    {"nxa.Forms.close", nxaForms::close, 1, "0", kMainThread},
    {"nxa.Forms.constraints", nxaForms::constraints, 5, "0", kMainThread},
    {"nxa.Forms.dndDisable", nxaForms::dndDisable, 1, "0", kMainThread},
    {"nxa.Forms.dndEnable", nxaForms::dndEnable, 1, "0", kMainThread},
    {"nxa.Forms.goToFrame", nxaForms::goToFrame, 2, "0", kMainThread},
    {"nxa.Forms.goToLabel", nxaForms::goToLabel, 2, "0", kMainThread},
    {"nxa.Forms.hide", nxaForms::hide, 1, "0", kMainThread},
    {"nxa.Forms.hideCaption", nxaForms::hideCaption, 2, "0", kMainThread},
    {"nxa.Forms.hideMask", nxaForms::hideMask, 1, "0", kMainThread},
    {"nxa.Forms.hideStatusBar", nxaForms::hideStatusBar, 1, "0", kMainThread},
    {"nxa.Forms.maximize", nxaForms::maximize, 1, "0", kMainThread},
    {"nxa.Forms.minimize", nxaForms::minimize, 1, "0", kMainThread},
    {"nxa.Forms.restore", nxaForms::restore, 1, "0", kMainThread},
    {"nxa.Forms.setFocus", nxaForms::setFocus, 1, "0", kMainThread},
    {"nxa.Forms.setStatusBarText", nxaForms::setStatusBarText, 2, "0", kMainThread},
    {"nxa.Forms.shake", nxaForms::shake, 2, "0", kAnyThread},
    {"nxa.Forms.show", nxaForms::show, 1, "0", kMainThread},
    {"nxa.Forms.showFullScreen", nxaForms::showFullScreen, 2, "0", kMainThread},
    {"nxa.Forms.showInScreen", nxaForms::showInScreen, 2, "0", kMainThread},
    {"nxa.Forms.showMask", nxaForms::showMask, 2, "0", kMainThread},
    {"nxa.Forms.showModal", nxaForms::showModal, kAnyArgCount, "0", kMainThread},
    {"nxa.Forms.showStatusBar", nxaForms::showStatusBar, 1, "0", kMainThread},
    {"nxa.Forms.startDrag", nxaForms::startDrag, 1, "0", kMainThread},
    {"nxa.Forms.stopDrag", nxaForms::stopDrag, 1, "0", kMainThread},
    {"nxa.Forms.get_alpha", nxaForms::get_alpha, 1, "0", kMainThread},
    {"nxa.Forms.set_alpha", nxaForms::set_alpha, 2, "0", kMainThread},
    {"nxa.Forms.get_height", nxaForms::get_height, 1, "0", kMainThread},
    {"nxa.Forms.set_height", nxaForms::set_height, 2, "0", kMainThread},
    {"nxa.Forms.get_isCreated", nxaForms::isCreated, kAnyArgCount, "true", kMainThread},
    {"nxa.Forms.get_name", nxaForms::get_name, 1, "\"\"", kMainThread},
    {"nxa.Forms.set_showMaxBtn", nxaForms::set_showMaxBtn, 2, "0", kMainThread},
    {"nxa.Forms.set_showMinBtn", nxaForms::set_showMinBtn, 2, "0", kMainThread},
    {"nxa.Forms.set_showSysBtn", nxaForms::set_showSysBtn, 2, "0", kMainThread},
    {"nxa.Forms.get_title", nxaForms::get_title, 1, "\"\"", kMainThread},
    {"nxa.Forms.set_title", nxaForms::set_title, 2, "0", kMainThread},
    {"nxa.Forms.get_visible", nxaForms::get_visible, 1, "false", kMainThread},
    {"nxa.Forms.set_visible", nxaForms::set_visible, 2, "0", kMainThread},
    {"nxa.Forms.get_width", nxaForms::get_width, 1, "0", kMainThread},
    {"nxa.Forms.set_width", nxaForms::set_width, 2, "0", kMainThread},
    {"nxa.Forms.get_windowState", nxaForms::get_windowState, 1, "\"\"", kMainThread},
    {"nxa.Forms.get_x", nxaForms::get_x, 1, "0", kMainThread},
    {"nxa.Forms.set_x", nxaForms::set_x, 2, "0", kMainThread},
    {"nxa.Forms.get_y", nxaForms::get_y, 1, "0", kMainThread},
    {"nxa.Forms.set_y", nxaForms::set_y, 2, "0", kMainThread},
};

} // namespace

struct nxaForms::Definition : NoModuleHooks {
    static constexpr const auto& kRowTable = kRows;
};

template class ModuleFrame<nxaForms::Definition>;

namespace nxaForms {

json_object* __cdecl create(CallInfo*, int32_t, json_object**)
{
    return MakeInt(-1);
}

json_object* __cdecl addMask(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) {
        form.AddMask(ReadText(argv[3]), ReadInt(argv[1]), ReadInt(argv[2]));
    });
}

json_object* __cdecl callFunction(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) {
        form.CallMovieFunction(ReadText(argv[1]), ReadText(argv[2]), ReadText(argv[3]));
    });
}

json_object* __cdecl callFunction2(CallInfo*, int32_t, json_object** argv)
{
    return FormValue(argv, [&](KovaForm& form) { return MakeText(form.CallMovieFunctionXml(ReadText(argv[1]))); });
}

json_object* __cdecl close(CallInfo*, int32_t, json_object** argv)
{
    // A close that can be vetoed: the form's close handler decides.
    return FormAction(argv, [](KovaForm& form) { form.Close(false); });
}

json_object* __cdecl constraints(CallInfo*, int32_t, json_object** argv)
{
    // The movie gives the maximum first.
    return FormAction(argv, [&](KovaForm& form) {
        form.SetSizeConstraints(ReadInt(argv[3]), ReadInt(argv[4]), ReadInt(argv[1]), ReadInt(argv[2]));
    });
}

json_object* __cdecl dndDisable(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { form.DragAcceptFiles(false); });
}

json_object* __cdecl dndEnable(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { form.DragAcceptFiles(true); });
}

json_object* __cdecl goToFrame(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.GoToFrame(ReadInt(argv[1])); });
}

json_object* __cdecl goToLabel(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.GoToLabel(ReadText(argv[1])); });
}

json_object* __cdecl hide(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { form.Hide(); });
}

json_object* __cdecl hideCaption(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { FormWindowStyle(form).ShowCaption(!ReadFlag(argv[1])); });
}

json_object* __cdecl hideMask(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { form.HideMask(); });
}

json_object* __cdecl hideStatusBar(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { FormStatusBar(form).Hide(); });
}

json_object* __cdecl maximize(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { form.Maximize(true); });
}

json_object* __cdecl minimize(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { MinimizeMainForm(form, GetAppState().MinimizeToTray()); });
}

json_object* __cdecl restore(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { RestoreMainForm(form); });
}

json_object* __cdecl setFocus(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { form.SetFocus(); });
}

json_object* __cdecl setStatusBarText(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { FormStatusBar(form).SetText(ReadText(argv[1])); });
}

json_object* __cdecl shake(CallInfo*, int32_t, json_object** argv)
{
    // Each step finds the form again by its id on the main thread, so a form
    // that closes meanwhile ends the shake.
    int32_t formId = 0;
    if (FindFormIdByName(ReadText(argv[0]), formId)) {
        KovaForm::Shake([formId] { return dynamic_cast<KovaForm*>(CommandCentre::Get().FindForm(formId)); },
                        ReadInt(argv[1]));
    }
    return MakeInt(0);
}

json_object* __cdecl show(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { form.Show(true); });
}

json_object* __cdecl showFullScreen(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.ShowFullScreen(ReadFlag(argv[1])); });
}

json_object* __cdecl showInScreen(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.ShowOnMonitor(ReadInt(argv[1])); });
}

json_object* __cdecl showMask(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.ShowMask(ReadText(argv[1])); });
}

json_object* __cdecl showModal(CallInfo*, int32_t, json_object**)
{
    return MakeInt(0);
}

json_object* __cdecl showStatusBar(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { form.ShowStatusBar(); });
}

json_object* __cdecl startDrag(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { form.StartDrag(); });
}

json_object* __cdecl stopDrag(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [](KovaForm& form) { form.StopDrag(); });
}

json_object* __cdecl get_alpha(CallInfo*, int32_t, json_object** argv)
{
    return FormValue(argv, [](KovaForm& form) { return MakeInt(form.GetAlpha()); });
}

json_object* __cdecl set_alpha(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.SetFadingAlpha(ReadInt(argv[1])); });
}

json_object* __cdecl get_height(CallInfo*, int32_t, json_object** argv)
{
    return FormValue(argv, [](KovaForm& form) { return MakeInt(form.GetSize().y); });
}

json_object* __cdecl set_height(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.SetHeight(ReadInt(argv[1])); });
}

json_object* __cdecl isCreated(CallInfo*, int32_t, json_object**)
{
    return MakeFlag(true);
}

json_object* __cdecl get_name(CallInfo*, int32_t, json_object** argv)
{
    return FormValue(argv, [](KovaForm& form) { return MakeText(form.GetName()); });
}

json_object* __cdecl set_showMaxBtn(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { FormWindowStyle(form).ShowMaximizeBox(ReadFlag(argv[1])); });
}

json_object* __cdecl set_showMinBtn(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { FormWindowStyle(form).ShowMinimizeBox(ReadFlag(argv[1])); });
}

json_object* __cdecl set_showSysBtn(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { FormWindowStyle(form).EnableClose(ReadFlag(argv[1])); });
}

json_object* __cdecl get_title(CallInfo*, int32_t, json_object** argv)
{
    return FormValue(argv, [](KovaForm& form) { return MakeText(form.GetTitle()); });
}

json_object* __cdecl set_title(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.SetTitle(ReadText(argv[1])); });
}

json_object* __cdecl get_visible(CallInfo*, int32_t, json_object** argv)
{
    return FormValue(argv, [](KovaForm& form) { return MakeFlag(form.IsShown()); });
}

json_object* __cdecl set_visible(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.Show(ReadFlag(argv[1])); });
}

json_object* __cdecl get_width(CallInfo*, int32_t, json_object** argv)
{
    return FormValue(argv, [](KovaForm& form) { return MakeInt(form.GetSize().x); });
}

json_object* __cdecl set_width(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.SetWidth(ReadInt(argv[1])); });
}

json_object* __cdecl get_windowState(CallInfo*, int32_t, json_object** argv)
{
    return FormValue(argv, [](KovaForm& form) { return MakeText(form.GetWindowState()); });
}

json_object* __cdecl get_x(CallInfo*, int32_t, json_object** argv)
{
    return FormValue(argv, [](KovaForm& form) { return MakeInt(form.GetPosition().x); });
}

json_object* __cdecl set_x(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.SetX(ReadInt(argv[1])); });
}

json_object* __cdecl get_y(CallInfo*, int32_t, json_object** argv)
{
    return FormValue(argv, [](KovaForm& form) { return MakeInt(form.GetPosition().y); });
}

json_object* __cdecl set_y(CallInfo*, int32_t, json_object** argv)
{
    return FormAction(argv, [&](KovaForm& form) { form.SetY(ReadInt(argv[1])); });
}

} // namespace nxaForms
