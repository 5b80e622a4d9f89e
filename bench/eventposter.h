#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// One worker thread that posts numbered events, one run at a time: back to
// back, or paced at a fixed interval. The thread lives for the whole
// benchmark, so a run starts without a thread being created on the main
// thread while the run's events are already being timed.
class EventPoster {
public:
    // post(seq) queues event number seq; it runs on the worker.
    using PostFunction = std::function<void(int seq)>;

    EventPoster();
    ~EventPoster();
    EventPoster(const EventPoster&) = delete;
    EventPoster& operator=(const EventPoster&) = delete;

    // Starts a run of count events, intervalNs apart (0: back to back). A run
    // asked for while one is going starts after it.
    void Start(int count, int64_t intervalNs, PostFunction post);

private:
    struct Run {
        int count = 0;
        int64_t intervalNs = 0;
        PostFunction post;
    };

    void Work();
    static void Post(const Run& run);

    std::mutex m_lock;
    std::condition_variable m_changed;
    Run m_next;            // guarded by m_lock; no run when post is empty
    bool m_stop = false;   // guarded by m_lock
    std::thread m_thread;
};
