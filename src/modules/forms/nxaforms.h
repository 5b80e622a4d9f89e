#pragma once

#include "commandrow.h"
#include "moduleframe.h"

#include <cstdint>

struct json_object;

// The Forms module: a movie drives any form of the application, its own or
// another, by the name of the form's definition (exact case; the lowest form
// id when two forms share a name): window state, geometry, caption buttons,
// transparency, masks, status bar, dragging, dropped files, and calls into the
// movie playing there. A name that no form has answers the default result
// (given in brackets below) and changes nothing. The module keeps no objects.
namespace nxaForms {

// The module's entry in the start-up list: Frame::Descriptor().
struct Definition;
using Frame = ModuleFrame<Definition>;

// create: -1, whatever the arguments
json_object* __cdecl create(CallInfo* call, int32_t argc, json_object** argv);
// (formName, x, y, imageMaskPath): the mask's non-black pixels shape a type 2 window, moved by (x, y); 0
json_object* __cdecl addMask(CallInfo* call, int32_t argc, json_object** argv);
// (formName, functionName, parametersString, delimiter): calls the movie function with the parts of the text as string arguments, the answer dropped; 0
json_object* __cdecl callFunction(CallInfo* call, int32_t argc, json_object** argv);
// (formName, invoke request): the movie's answer text as it is ("")
json_object* __cdecl callFunction2(CallInfo* call, int32_t argc, json_object** argv);
// (formName): asks the form to close; the exit handler may turn that into an event; 0
json_object* __cdecl close(CallInfo* call, int32_t argc, json_object** argv);
// (formName, maxWidth, maxHeight, minWidth, minHeight): outer size limits, -1 none; 0
json_object* __cdecl constraints(CallInfo* call, int32_t argc, json_object** argv);
// (formName): dropped files are refused; 0
json_object* __cdecl dndDisable(CallInfo* call, int32_t argc, json_object** argv);
// (formName): dropped files become "onDragDrop"; 0
json_object* __cdecl dndEnable(CallInfo* call, int32_t argc, json_object** argv);
// (formName, frameNumber): the movie's main timeline jumps there; 0
json_object* __cdecl goToFrame(CallInfo* call, int32_t argc, json_object** argv);
// (formName, frameLabel): the movie's main timeline jumps there; 0
json_object* __cdecl goToLabel(CallInfo* call, int32_t argc, json_object** argv);
// (formName); 0
json_object* __cdecl hide(CallInfo* call, int32_t argc, json_object** argv);
// (formName, flag): true removes the caption, false gives it back; 0
json_object* __cdecl hideCaption(CallInfo* call, int32_t argc, json_object** argv);
// (formName): a type 2 window gets its rectangle back; 0
json_object* __cdecl hideMask(CallInfo* call, int32_t argc, json_object** argv);
// (formName); 0
json_object* __cdecl hideStatusBar(CallInfo* call, int32_t argc, json_object** argv);
// (formName); 0
json_object* __cdecl maximize(CallInfo* call, int32_t argc, json_object** argv);
// (formName): form 0 also hides when minimizing to the tray is on; 0
json_object* __cdecl minimize(CallInfo* call, int32_t argc, json_object** argv);
// (formName): out of minimized when minimized, else out of maximized; 0
json_object* __cdecl restore(CallInfo* call, int32_t argc, json_object** argv);
// (formName): the keyboard focus; 0
json_object* __cdecl setFocus(CallInfo* call, int32_t argc, json_object** argv);
// (formName, text): the first field of a form that has a status bar; 0
json_object* __cdecl setStatusBarText(CallInfo* call, int32_t argc, json_object** argv);
// (formName, count): 2 pixels to and fro count times, 20 ms each, and back; 0
json_object* __cdecl shake(CallInfo* call, int32_t argc, json_object** argv);
// (formName); 0
json_object* __cdecl show(CallInfo* call, int32_t argc, json_object** argv);
// (formName, state): the whole display without decorations, or back; 0
json_object* __cdecl showFullScreen(CallInfo* call, int32_t argc, json_object** argv);
// (formName, monitor index): 100 pixels right of and below that monitor's corner; 0
json_object* __cdecl showInScreen(CallInfo* call, int32_t argc, json_object** argv);
// (formName, imageMaskPath): as addMask without an offset; 0
json_object* __cdecl showMask(CallInfo* call, int32_t argc, json_object** argv);
// 0, whatever the arguments
json_object* __cdecl showModal(CallInfo* call, int32_t argc, json_object** argv);
// (formName): made the first time; 0
json_object* __cdecl showStatusBar(CallInfo* call, int32_t argc, json_object** argv);
// (formName): the next button press grips the window and motion moves it; 0
json_object* __cdecl startDrag(CallInfo* call, int32_t argc, json_object** argv);
// (formName); 0
json_object* __cdecl stopDrag(CallInfo* call, int32_t argc, json_object** argv);
// (formName): a type 1 window's transparency, 255 for the other types (0)
json_object* __cdecl get_alpha(CallInfo* call, int32_t argc, json_object** argv);
// (formName, alpha): a type 1 window takes the low 8 bits; 0
json_object* __cdecl set_alpha(CallInfo* call, int32_t argc, json_object** argv);
// (formName): outer height (0)
json_object* __cdecl get_height(CallInfo* call, int32_t argc, json_object** argv);
// (formName, height); 0
json_object* __cdecl set_height(CallInfo* call, int32_t argc, json_object** argv);
// true, whatever the arguments
json_object* __cdecl isCreated(CallInfo* call, int32_t argc, json_object** argv);
// (formName): the name itself when a form has it ("")
json_object* __cdecl get_name(CallInfo* call, int32_t argc, json_object** argv);
// (formName, flag): the maximize box; 0
json_object* __cdecl set_showMaxBtn(CallInfo* call, int32_t argc, json_object** argv);
// (formName, flag): the minimize box; 0
json_object* __cdecl set_showMinBtn(CallInfo* call, int32_t argc, json_object** argv);
// (formName, flag): the close command and button enabled or greyed; 0
json_object* __cdecl set_showSysBtn(CallInfo* call, int32_t argc, json_object** argv);
// (formName) ("")
json_object* __cdecl get_title(CallInfo* call, int32_t argc, json_object** argv);
// (formName, title); 0
json_object* __cdecl set_title(CallInfo* call, int32_t argc, json_object** argv);
// (formName) (false)
json_object* __cdecl get_visible(CallInfo* call, int32_t argc, json_object** argv);
// (formName, visible); 0
json_object* __cdecl set_visible(CallInfo* call, int32_t argc, json_object** argv);
// (formName): outer width (0)
json_object* __cdecl get_width(CallInfo* call, int32_t argc, json_object** argv);
// (formName, width); 0
json_object* __cdecl set_width(CallInfo* call, int32_t argc, json_object** argv);
// (formName): "min", "max" or "nor" ("")
json_object* __cdecl get_windowState(CallInfo* call, int32_t argc, json_object** argv);
// (formName): left edge (0)
json_object* __cdecl get_x(CallInfo* call, int32_t argc, json_object** argv);
// (formName, x); 0
json_object* __cdecl set_x(CallInfo* call, int32_t argc, json_object** argv);
// (formName): top edge (0)
json_object* __cdecl get_y(CallInfo* call, int32_t argc, json_object** argv);
// (formName, y); 0
json_object* __cdecl set_y(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaForms

extern template class ModuleFrame<nxaForms::Definition>;
