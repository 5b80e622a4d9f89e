#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// Tallies the events of one "benchevents" step: each payload is
// {"seq": <0, 1, ...>, "t": <steady clock ns when posted>}. Keeps the delay
// from post to arrival of every event and whether they came once and in
// order.
class EventTally {
public:
    void Arm(const std::string& name, size_t expected);
    void Disarm() { m_armed = false; }

    bool Armed() const { return m_armed; }
    const std::string& Name() const { return m_name; }
    bool Complete() const { return m_delays.size() >= m_expected; }

    void Add(const std::string& payload, int64_t arrivalNs);

    // "events=<k> order=<ok|broken> span_ns=<first post to last arrival>
    // p50_ns=<> p99_ns=<> max_ns=<>"
    std::string Summary() const;
    bool InOrder() const { return m_inOrder && Complete(); }

private:
    bool m_armed = false;
    std::string m_name;
    size_t m_expected = 0;
    int64_t m_nextSeq = 0;
    bool m_inOrder = true;
    int64_t m_firstPostNs = 0;
    int64_t m_lastArrivalNs = 0;
    std::vector<int64_t> m_delays;
};

// Nanoseconds of the steady clock: comparable across the modules and
// processes of one machine.
int64_t SteadyNowNs();

} // namespace standin
