#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The bytes of one transfer on their way from its thread (the writer) to the
// main thread (the reader). The writer appends what arrives; the reader takes
// everything gathered so far as one block and releases it once handed on.
// The writer waits while the bytes held (gathered plus taken and not yet
// released) reach the limit, so a reader that falls behind pauses the
// transfer instead of letting memory grow. The reader is woken through the
// wake function, at most once until it takes: when a wake-up's worth has
// gathered, when the writer flushes (before it waits for the network) and
// before the writer waits for room.
class StreamBacklog {
public:
    // What the transfer says of its body, passed on with its first bytes.
    struct Description {
        std::string mimeType;       // "" when none was named
        int64_t contentLength = -1; // -1 when unknown
    };

    // `wake` is called on the writer's thread, without the lock held.
    StreamBacklog(size_t limit, size_t wakeBytes, std::function<void()> wake);
    StreamBacklog(const StreamBacklog&) = delete;
    StreamBacklog& operator=(const StreamBacklog&) = delete;

    // Writer. Set once, before the first Append.
    void Describe(const Description& description);
    // Writer. Waits for room first; a closed backlog drops the bytes.
    void Append(const char* data, size_t size);
    // Writer. Wakes the reader for bytes that no wake-up has announced.
    void Flush();

    // Reader. Swaps everything gathered into `block` (emptied first; its
    // storage is kept for the writer's next bytes). The next wake-up may
    // then come.
    void Take(std::vector<char>& block);
    // Reader. `size` bytes taken earlier have been handed on.
    void Release(size_t size);
    Description Described() const;
    size_t HeldBytes() const;

    // Either side. No more bytes are wanted: a waiting writer goes on and
    // later bytes are dropped.
    void Close();
    bool IsClosed() const;

private:
    // Under the lock: whether the reader is to be woken now.
    bool ClaimWake(size_t minimum);

    const size_t m_limit;
    const size_t m_wakeBytes;
    const std::function<void()> m_wake;
    mutable std::mutex m_lock;
    std::condition_variable m_room;
    std::vector<char> m_gathered;
    size_t m_held = 0;
    bool m_wakePending = false;
    bool m_closed = false;
    Description m_description;
};
