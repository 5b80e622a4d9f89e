#include "namedform.h"

#include "commandcentre.h"
#include "formwork.h"
#include "kovaform.h"
#include "mainthread.h"
#include "movieform.h"

bool FindFormIdByName(const wxString& name, int32_t& formId)
{
    bool found = false;
    RunOnMainThread([&] {
        if (MovieForm* form = CommandCentre::Get().FindFormByName(name)) {
            formId = form->GetFormId();
            found = true;
        }
    });
    return found;
}

bool WithNamedForm(const wxString& name, const std::function<void(KovaForm&)>& work)
{
    int32_t formId = 0;
    return FindFormIdByName(name, formId) && WithForm<KovaForm>(formId, work);
}
