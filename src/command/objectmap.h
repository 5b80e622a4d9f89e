#pragma once

#include "moduleobjects.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

// The objects of one kind that a module hands out to movies, by integer id.
//
// "create" adds the new object and answers its id (ids count up from 0 and are
// never reused, not even after Clear); the other commands look the id up and
// act on the shared pointer they get back. "close" releases the object's
// resources but leaves it in the map; the module's shutdown calls Clear.
//
// The map is used from the main thread and from the command centre's worker,
// so every access takes the module's lock (one per module, shared by all of its
// maps: ModuleObjects), and the module's shut-down empties it through
// ModuleObjects::ClearAll. The lock is held only to copy a pointer in or out: work on
// an object happens on the copy, after the lock is released, so no lock is ever
// held across a message box or a call back into a movie. Objects whose last
// owner was the map are destroyed outside the lock as well.
template <class T>
class ObjectMap : public ClearableObjects {
public:
    explicit ObjectMap(ModuleObjects& module) : m_module(module), m_lock(module.Lock()) { module.Enrol(*this); }
    ~ObjectMap() override { m_module.Withdraw(*this); }
    ObjectMap(const ObjectMap&) = delete;
    ObjectMap& operator=(const ObjectMap&) = delete;

    // Enters the object under the next id and answers that id.
    int32_t Add(std::shared_ptr<T> object)
    {
        std::lock_guard<std::timed_mutex> hold(m_lock);
        const int32_t id = m_nextId++;
        m_objects[id] = std::move(object);
        return id;
    }

    // Enters the object under an id chosen elsewhere (a process id), replacing
    // what the id held; the counter is not used.
    void Insert(int32_t id, std::shared_ptr<T> object)
    {
        std::shared_ptr<T> replaced;
        std::lock_guard<std::timed_mutex> hold(m_lock);
        std::shared_ptr<T>& slot = m_objects[id];
        replaced.swap(slot);
        slot = std::move(object);
    }

    // The object under the id, or null when the id is not in the map.
    std::shared_ptr<T> Find(int32_t id) const
    {
        std::lock_guard<std::timed_mutex> hold(m_lock);
        const auto found = m_objects.find(id);
        return found == m_objects.end() ? nullptr : found->second;
    }

    // Takes the id out of the map; false when it was not there.
    bool Remove(int32_t id)
    {
        std::shared_ptr<T> removed;
        std::lock_guard<std::timed_mutex> hold(m_lock);
        const auto found = m_objects.find(id);
        if (found == m_objects.end())
            return false;
        removed.swap(found->second);
        m_objects.erase(found);
        return true;
    }

    // Every object, in ascending id order (for broadcasting events).
    std::vector<std::shared_ptr<T>> All() const
    {
        std::vector<std::shared_ptr<T>> objects;
        std::lock_guard<std::timed_mutex> hold(m_lock);
        objects.reserve(m_objects.size());
        for (const auto& entry : m_objects)
            objects.push_back(entry.second);
        return objects;
    }

    // Empties the map; the counter goes on from where it was. A lock that
    // stays taken (a worker was cut off while it held it) leaves the map as
    // it is after a second instead of hanging shut-down.
    void Clear() override
    {
        // Declared before the lock guard, so the objects die after the unlock.
        std::map<int32_t, std::shared_ptr<T>> released;
        std::unique_lock<std::timed_mutex> hold(m_lock, std::chrono::seconds(1));
        if (hold.owns_lock())
            released.swap(m_objects);
    }

    size_t Size() const
    {
        std::lock_guard<std::timed_mutex> hold(m_lock);
        return m_objects.size();
    }

private:
    ModuleObjects& m_module;
    std::timed_mutex& m_lock;
    std::map<int32_t, std::shared_ptr<T>> m_objects;
    int32_t m_nextId = 0;
};
