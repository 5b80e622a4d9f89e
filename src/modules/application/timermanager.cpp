#include "timermanager.h"

#include "kovatimer.h"

#include <algorithm>

TimerManager::TimerManager(int32_t formId, int32_t callerId) : EventDispatcher(formId, callerId)
{
    for (int32_t number = kFirstNumber; number <= kLastNumber; ++number)
        m_timers[number] = std::make_unique<KovaTimer>(number, this);
}

TimerManager::~TimerManager()
{
    StopAll();
}

void TimerManager::Start(int32_t number, int32_t intervalMs, bool repeat)
{
    KovaTimer* timer = Find(number);
    if (!timer)
        return;
    timer->Stop();
    // The toolkit reads -1 as "the previous interval"; no negative reaches it.
    timer->Start(std::max(intervalMs, 0), repeat ? wxTIMER_CONTINUOUS : wxTIMER_ONE_SHOT);
}

void TimerManager::Stop(int32_t number)
{
    if (KovaTimer* timer = Find(number))
        timer->Stop();
}

void TimerManager::StopAll()
{
    for (auto& entry : m_timers)
        entry.second->Stop();
}

bool TimerManager::IsRunning(int32_t number) const
{
    const KovaTimer* timer = Find(number);
    return timer && timer->IsRunning();
}

KovaTimer* TimerManager::Find(int32_t number) const
{
    const auto found = m_timers.find(number);
    return found == m_timers.end() ? nullptr : found->second.get();
}
