#pragma once

#include <wx/string.h>

#include <cstdint>
#include <functional>

class KovaForm;

// Forms found by the name of their definition: exact case, the lowest form
// id when two forms share a name.

// The id of the form with that name; false when no form has it. The look-up
// runs on the main thread, where forms live.
bool FindFormIdByName(const wxString& name, int32_t& formId);

// Runs the work with the named form on the main thread. The name becomes a
// form id and the form is found again by that id inside the main-thread work,
// so no form pointer is kept or crosses threads. False when no form has the
// name or the work could not run.
bool WithNamedForm(const wxString& name, const std::function<void(KovaForm&)>& work);
