#pragma once

#include "commandcentre.h"
#include "mainthread.h"
#include "movieform.h"

#include <cstdint>
#include <functional>

// Work with a form, from any thread. The form is looked up by its id inside
// the main-thread work and used only there, so no form pointer is kept or
// crosses threads: a form that closes meanwhile is simply not found.
//
//   int32_t width = -1;
//   WithForm<KovaForm>(call->formId, [&](KovaForm& form) { width = form.GetClientSize().x; });
//
// Answers whether the work ran: false when no form of that type has the id or
// the main thread refused work (shut-down).
template <class Form = MovieForm>
bool WithForm(int32_t formId, const std::function<void(Form&)>& work)
{
    bool ran = false;
    RunOnMainThread([&] {
        if (auto* form = dynamic_cast<Form*>(CommandCentre::Get().FindForm(formId))) {
            work(*form);
            ran = true;
        }
    });
    return ran;
}
