#pragma once

#include "eventdispatcher.h"

#include <cstdint>
#include <map>
#include <memory>

class KovaTimer;

// A movie's timer object: ten timers numbered 1 to 10, made stopped, whose
// expiries go to the form and caller of the create call as "onTimer1" ..
// "onTimer10". Toolkit timers belong to the main thread: make, use and
// destroy a manager there.
class TimerManager : public EventDispatcher {
public:
    static constexpr int32_t kFirstNumber = 1;
    static constexpr int32_t kLastNumber = 10;

    TimerManager(int32_t formId, int32_t callerId);
    ~TimerManager() override;
    TimerManager(const TimerManager&) = delete;
    TimerManager& operator=(const TimerManager&) = delete;

    // (Re)starts the timer: its next expiry comes one interval from now, then
    // every interval when repeat is set. A negative interval counts as 0 (the
    // shortest period the system allows). Numbers outside 1..10 do nothing.
    void Start(int32_t number, int32_t intervalMs, bool repeat);
    void Stop(int32_t number);
    void StopAll();

    bool IsRunning(int32_t number) const;

private:
    KovaTimer* Find(int32_t number) const;

    std::map<int32_t, std::unique_ptr<KovaTimer>> m_timers;
};
