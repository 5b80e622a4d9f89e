#include "asyncthread.h"

#include "commandcentre.h"

#include <wx/utils.h>

AsyncThread::AsyncThread(CommandCentre& centre) : wxThread(wxTHREAD_JOINABLE), m_centre(centre) {}

wxThread::ExitCode AsyncThread::Entry()
{
    while (!m_stop && !TestDestroy()) {
        QueuedCall call;
        if (m_centre.Queue().PopQueuedCall(call))
            m_centre.ExecuteCommand(call.commandText, 1, call.formId, call.callerId);
        wxMilliSleep(10);
    }
    return nullptr;
}
