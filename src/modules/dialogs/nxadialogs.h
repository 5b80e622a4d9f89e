#pragma once

#include "commandrow.h"
#include "moduleframe.h"

#include <cstdint>

// The Dialogs module: an input box, message boxes, and open-file, save-file
// and folder dialogs, all modal, without a parent, shown from the handler on
// the main thread. A synchronous call learns the answer from its result; an
// asynchronous one from "onSelect", "onSelectMultiple" or "onCancel" sent to
// the object that was called. Every dialog goes through CurrentDialogPresenter.
//
// Objects of four kinds, each kind with its own ids from 0: Dialogs (the
// target of the input and message boxes), BrowseFile (open-file settings),
// BrowseFileToSave and BrowseFolder.
namespace nxaDialogs {

// The module's entry in the start-up list and its object maps' lock:
// Frame::Descriptor() and Frame::Objects().
struct Definition;
using Frame = ModuleFrame<Definition>;

// () -> new Dialogs id.
json_object* __cdecl dialogsCreate(CallInfo* call, int32_t argc, json_object** argv);
// (id, caption, defaultText) -> the text entered with OK ("").
json_object* __cdecl dialogsInputBox(CallInfo* call, int32_t argc, json_object** argv);
// (id, message) -> 0 after an OK-only box.
json_object* __cdecl dialogsPrompt(CallInfo* call, int32_t argc, json_object** argv);
// (id, message, promptStyle) -> true for OK (false).
json_object* __cdecl dialogsPromptAdv(CallInfo* call, int32_t argc, json_object** argv);
// (id, message, promptType, promptStyle) -> true for OK, Yes or Abort (false).
json_object* __cdecl dialogsPromptModal(CallInfo* call, int32_t argc, json_object** argv);

// () -> new BrowseFile id.
json_object* __cdecl browseFileCreate(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> the chosen path, or with allowMultiple the list of paths.
json_object* __cdecl browseFileShow(CallInfo* call, int32_t argc, json_object** argv);
// (id, flag) -> 0.
json_object* __cdecl browseFileAllowMultiple(CallInfo* call, int32_t argc, json_object** argv);
// Any arguments -> 0; nothing to do on this system.
json_object* __cdecl browseFileNoOp(CallInfo* call, int32_t argc, json_object** argv);

// () -> new BrowseFileToSave id.
json_object* __cdecl browseFileToSaveCreate(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> the chosen path ("").
json_object* __cdecl browseFileToSaveShow(CallInfo* call, int32_t argc, json_object** argv);

// () -> new BrowseFolder id.
json_object* __cdecl browseFolderCreate(CallInfo* call, int32_t argc, json_object** argv);
// (id) -> the chosen folder ("").
json_object* __cdecl browseFolderShow(CallInfo* call, int32_t argc, json_object** argv);

} // namespace nxaDialogs

extern template class ModuleFrame<nxaDialogs::Definition>;
