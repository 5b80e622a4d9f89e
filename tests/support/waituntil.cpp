#include "waituntil.h"

#include <chrono>
#include <thread>

bool WaitUntil(const std::function<bool()>& done, int timeoutMs, const std::function<void()>& step, int pollMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (step)
            step();
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
}
