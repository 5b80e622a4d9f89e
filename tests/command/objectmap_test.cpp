#include "objectmap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

struct Thing {
    explicit Thing(int value) : value(value) {}
    int value;
};

TEST(ObjectMap, IdsCountFromZeroAndAreNeverReused)
{
    ModuleObjects module;
    ObjectMap<Thing> things(module);
    EXPECT_EQ(0, things.Add(std::make_shared<Thing>(10)));
    EXPECT_EQ(1, things.Add(std::make_shared<Thing>(11)));
    EXPECT_TRUE(things.Remove(0));
    EXPECT_FALSE(things.Remove(0));
    EXPECT_EQ(2, things.Add(std::make_shared<Thing>(12)));
    things.Clear();
    EXPECT_EQ(0u, things.Size());
    EXPECT_EQ(3, things.Add(std::make_shared<Thing>(13)));
    EXPECT_EQ(13, things.Find(3)->value);
    EXPECT_EQ(nullptr, things.Find(1));
    EXPECT_EQ(nullptr, things.Find(-1));
}

TEST(ObjectMap, InsertKeysByOutsideIdWithoutTouchingTheCounter)
{
    ModuleObjects module;
    ObjectMap<Thing> processes(module);
    processes.Insert(4711, std::make_shared<Thing>(1));
    processes.Insert(4711, std::make_shared<Thing>(2));
    EXPECT_EQ(2, processes.Find(4711)->value);
    EXPECT_EQ(1u, processes.Size());
    EXPECT_EQ(0, processes.Add(std::make_shared<Thing>(3)));
}

TEST(ObjectMap, FoundObjectOutlivesItsRemoval)
{
    ModuleObjects module;
    ObjectMap<Thing> things(module);
    const int32_t id = things.Add(std::make_shared<Thing>(5));
    const std::shared_ptr<Thing> held = things.Find(id);
    things.Clear();
    EXPECT_EQ(5, held->value);
    EXPECT_EQ(1, held.use_count());
}

// An object whose destructor uses its module's map again (as objects that stop
// their threads do) must not find the lock still held by the removal.
struct Reentrant {
    Reentrant(ObjectMap<Reentrant>& map) : map(map) {}
    ~Reentrant() { map.Size(); }
    ObjectMap<Reentrant>& map;
};

TEST(ObjectMap, ObjectsDieOutsideTheLock)
{
    ModuleObjects module;
    ObjectMap<Reentrant> map(module);
    map.Remove(map.Add(std::make_shared<Reentrant>(map)));
    map.Add(std::make_shared<Reentrant>(map));
    map.Insert(1, std::make_shared<Reentrant>(map));
    map.Clear();
    EXPECT_EQ(0u, map.Size());
}

TEST(ObjectMap, MapsOfOneModuleShareTheirLockAcrossThreads)
{
    ModuleObjects module;
    ObjectMap<Thing> first(module);
    ObjectMap<Thing> second(module);
    std::atomic<bool> go{false};
    auto work = [&](ObjectMap<Thing>& map) {
        while (!go) {
        }
        for (int i = 0; i < 1000; ++i) {
            const int32_t id = map.Add(std::make_shared<Thing>(i));
            EXPECT_EQ(i, map.Find(id)->value);
            if (i % 2)
                map.Remove(id);
        }
    };
    std::thread a(work, std::ref(first));
    std::thread b(work, std::ref(second));
    std::thread c(work, std::ref(first));
    go = true;
    a.join();
    b.join();
    c.join();
    EXPECT_EQ(1000u, first.Size());
    EXPECT_EQ(500u, second.Size());
    EXPECT_EQ(2000, first.Add(std::make_shared<Thing>(0)));
}

TEST(ModuleObjects, ClearAllEmptiesEveryLiveMapAndIdsCountOn)
{
    ModuleObjects module;
    ObjectMap<Thing> first(module);
    first.Add(std::make_shared<Thing>(1));
    {
        // A map that is gone is no longer cleared through the module.
        ObjectMap<Thing> shortLived(module);
        shortLived.Add(std::make_shared<Thing>(2));
    }
    ObjectMap<Reentrant> second(module);
    second.Add(std::make_shared<Reentrant>(second));
    module.ClearAll();
    EXPECT_EQ(0u, first.Size());
    EXPECT_EQ(0u, second.Size());
    EXPECT_EQ(1, first.Add(std::make_shared<Thing>(3)));
}

TEST(ObjectMap, ClearGivesUpOnALockThatStaysTaken)
{
    ModuleObjects module;
    ObjectMap<Thing> things(module);
    things.Add(std::make_shared<Thing>(1));
    std::atomic<bool> held{false}, release{false};
    // Stands for a worker that was cut off while it held the module's lock.
    std::thread holder([&] {
        std::lock_guard<std::timed_mutex> hold(module.Lock());
        held = true;
        while (!release) {
            std::this_thread::yield();
        }
    });
    while (!held) {
        std::this_thread::yield();
    }
    const auto start = std::chrono::steady_clock::now();
    module.ClearAll();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    release = true;
    holder.join();
    EXPECT_EQ(1u, things.Size());
    things.Clear();
    EXPECT_EQ(0u, things.Size());
}

} // namespace
