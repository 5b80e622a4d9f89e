#pragma once

#include <wx/thread.h>

#include <atomic>

class CommandCentre;

// The worker that runs queued asynchronous calls, first in, first out, one
// call per pass, polling every 10 ms. Joinable; the command centre starts it
// last in Initialise and stops it first in Shutdown.
class AsyncThread : public wxThread {
public:
    explicit AsyncThread(CommandCentre& centre);

    void RequestStop() { m_stop = true; }

protected:
    ExitCode Entry() override;

private:
    CommandCentre& m_centre;
    std::atomic<bool> m_stop{false};
};
