#pragma once

#include <wx/event.h>

#include <atomic>
#include <cstdint>
#include <vector>

// The reference for events into the movie: thread events queued from a
// worker to a handler on the main thread through the toolkit alone, each
// stamped with its post time and number.
class ToolkitProbe : public wxEvtHandler {
public:
    ToolkitProbe();

    void Reset(size_t expected);
    // Worker side: queues one event.
    void Post(int64_t seq);

    bool Complete() const { return m_received.load() >= m_expected; }
    bool InOrder() const { return m_inOrder; }
    int64_t SpanNs() const { return m_lastArrivalNs - m_firstPostNs; }
    const std::vector<int64_t>& Delays() const { return m_delays; }

private:
    void OnEvent(wxThreadEvent& event);

    size_t m_expected = 0;
    std::atomic<size_t> m_received{0};
    int64_t m_nextSeq = 0;
    bool m_inOrder = true;
    int64_t m_firstPostNs = 0;
    int64_t m_lastArrivalNs = 0;
    std::vector<int64_t> m_delays;
};
