#include "eventposter.h"

#include "samplefile.h"

#include <utility>

EventPoster::EventPoster() : m_thread(&EventPoster::Work, this) {}

EventPoster::~EventPoster()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void EventPoster::Start(int count, int64_t intervalNs, PostFunction post)
{
    {
        std::unique_lock<std::mutex> hold(m_lock);
        m_changed.wait(hold, [&] { return !m_next.post; });
        m_next = Run{count, intervalNs, std::move(post)};
    }
    m_changed.notify_all();
}

void EventPoster::Work()
{
    for (;;) {
        Run run;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            m_changed.wait(hold, [&] { return m_stop || m_next.post; });
            if (m_stop)
                return;
            run = std::move(m_next);
            m_next = Run();
        }
        m_changed.notify_all();
        Post(run);
    }
}

void EventPoster::Post(const Run& run)
{
    const int64_t start = SteadyNowNs();
    for (int seq = 0; seq < run.count; ++seq) {
        // A sleep would add the system's timer granularity, so the poster
        // waits busily, but yields: a plain spin keeps its processor from a
        // main thread woken there until the scheduler's time slice ends, which
        // would be measured as the event's delay.
        if (run.intervalNs)
            while (SteadyNowNs() < start + seq * run.intervalNs)
                std::this_thread::yield();
        run.post(seq);
    }
}
