#pragma once

#include <wx/timer.h>

#include <cstdint>

class TimerManager;

// One of the ten numbered timers of a TimerManager. Each expiry posts
// "onTimer<number>" with "{ }" to the manager's form and caller. Main thread.
class KovaTimer : public wxTimer {
public:
    KovaTimer(int32_t number, const TimerManager* owner) : m_number(number), m_owner(owner) {}

    void Notify() override;

private:
    int32_t m_number;
    const TimerManager* m_owner; // not owned
};
