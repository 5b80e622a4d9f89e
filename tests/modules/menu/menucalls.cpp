#include "menucalls.h"

#include "commandcalls.h"
#include "commandcentre.h"

#include <wx/thread.h>

namespace {

// A row without effect, so the marker changes nothing; the tests call it
// for nothing else.
const char* const kMarker = "nxa.Menu.Context.set_menuType";

} // namespace

MenuCalls::MenuCalls(Road road) : m_road(road)
{
    CommandCentre::Get().SetRowObserver([this](const wxString& name) {
        if (!wxThread::IsMain())
            m_offMainThread = true;
        if (name == kMarker)
            ++m_markersRun;
    });
}

MenuCalls::~MenuCalls()
{
    CommandCentre::Get().SetRowObserver(nullptr);
}

std::string MenuCalls::Call(const std::string& name, const std::string& args, int32_t formId, int32_t callerId)
{
    if (m_road == Road::kSync)
        return CallCommandSync(name, args, formId, callerId);
    CallCommandAsync(name, args, formId, callerId);
    return std::string();
}

bool MenuCalls::Finish()
{
    if (m_road == Road::kSync)
        return true;
    CallCommandAsync(kMarker);
    const int expected = ++m_markersSent;
    return PumpEventsUntil([&] { return m_markersRun >= expected; }, 10000);
}
