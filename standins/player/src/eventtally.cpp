#include "eventtally.h"

#include "jsonvalue.h"

#include <algorithm>
#include <chrono>

namespace standin {

namespace {

int64_t Percentile(std::vector<int64_t> sorted, size_t percent)
{
    if (sorted.empty())
        return 0;
    std::sort(sorted.begin(), sorted.end());
    size_t index = (sorted.size() * percent + 99) / 100;
    return sorted[std::min(sorted.size(), std::max<size_t>(index, 1)) - 1];
}

} // namespace

int64_t SteadyNowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void EventTally::Arm(const std::string& name, size_t expected)
{
    m_armed = true;
    m_name = name;
    m_expected = expected;
    m_nextSeq = 0;
    m_inOrder = true;
    m_firstPostNs = m_lastArrivalNs = 0;
    m_delays.clear();
    m_delays.reserve(expected);
}

void EventTally::Add(const std::string& payload, int64_t arrivalNs)
{
    JsonValue value;
    const JsonValue* seq = nullptr;
    const JsonValue* posted = nullptr;
    if (!JsonValue::Parse(payload, value) || !(seq = value.Member("seq")) || !(posted = value.Member("t"))) {
        m_inOrder = false;
        return;
    }
    const int64_t number = int64_t(seq->Number());
    const int64_t postedNs = int64_t(posted->Number());
    if (number != m_nextSeq)
        m_inOrder = false;
    m_nextSeq = number + 1;
    if (m_delays.empty())
        m_firstPostNs = postedNs;
    m_lastArrivalNs = arrivalNs;
    m_delays.push_back(arrivalNs - postedNs);
}

std::string EventTally::Summary() const
{
    return "events=" + std::to_string(m_delays.size()) + " order=" + (InOrder() ? "ok" : "broken") +
           " span_ns=" + std::to_string(m_lastArrivalNs - m_firstPostNs) +
           " p50_ns=" + std::to_string(Percentile(m_delays, 50)) +
           " p99_ns=" + std::to_string(Percentile(m_delays, 99)) +
           " max_ns=" + std::to_string(Percentile(m_delays, 100));
}

} // namespace standin
