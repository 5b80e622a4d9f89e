#include "toolkitprobe.h"

#include "samplefile.h"

namespace {

struct Stamp {
    int64_t seq;
    int64_t postedNs;
};

} // namespace

ToolkitProbe::ToolkitProbe()
{
    Bind(wxEVT_THREAD, &ToolkitProbe::OnEvent, this);
}

void ToolkitProbe::Reset(size_t expected)
{
    m_expected = expected;
    m_received = 0;
    m_nextSeq = 0;
    m_inOrder = true;
    m_firstPostNs = m_lastArrivalNs = 0;
    m_delays.clear();
    m_delays.reserve(expected);
}

void ToolkitProbe::Post(int64_t seq)
{
    wxThreadEvent* event = new wxThreadEvent();
    event->SetPayload(Stamp{seq, SteadyNowNs()});
    wxQueueEvent(this, event);
}

void ToolkitProbe::OnEvent(wxThreadEvent& event)
{
    const int64_t arrivalNs = SteadyNowNs();
    const Stamp stamp = event.GetPayload<Stamp>();
    if (stamp.seq != m_nextSeq)
        m_inOrder = false;
    m_nextSeq = stamp.seq + 1;
    if (m_delays.empty())
        m_firstPostNs = stamp.postedNs;
    m_lastArrivalNs = arrivalNs;
    m_delays.push_back(arrivalNs - stamp.postedNs);
    ++m_received;
}
