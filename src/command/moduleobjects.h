#pragma once

#include <algorithm>
#include <mutex>
#include <vector>

// A map of module objects that shut-down can empty without knowing its type.
class ClearableObjects {
public:
    virtual ~ClearableObjects() = default;
    virtual void Clear() = 0;
};

// The object maps of one module: the one lock they share and the list of
// maps, so the module's shut-down empties them all with ClearAll. Each map
// enrols itself when it is made (ObjectMap's constructor).
class ModuleObjects {
public:
    ModuleObjects() = default;
    ModuleObjects(const ModuleObjects&) = delete;
    ModuleObjects& operator=(const ModuleObjects&) = delete;

    std::timed_mutex& Lock() { return m_lock; }

    void Enrol(ClearableObjects& map)
    {
        std::lock_guard<std::mutex> hold(m_listLock);
        m_maps.push_back(&map);
    }

    void Withdraw(ClearableObjects& map)
    {
        std::lock_guard<std::mutex> hold(m_listLock);
        m_maps.erase(std::remove(m_maps.begin(), m_maps.end(), &map), m_maps.end());
    }

    // Empties every enrolled map in the order they were made; ids keep
    // counting on. The objects are released outside every lock.
    void ClearAll()
    {
        std::vector<ClearableObjects*> maps;
        {
            std::lock_guard<std::mutex> hold(m_listLock);
            maps = m_maps;
        }
        for (ClearableObjects* map : maps)
            map->Clear();
    }

private:
    std::timed_mutex m_lock; // the maps' lock, shared by all of them
    std::mutex m_listLock; // guards m_maps only
    std::vector<ClearableObjects*> m_maps;
};
