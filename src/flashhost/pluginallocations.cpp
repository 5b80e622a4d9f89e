#include "pluginallocations.h"

#include <cstdlib>
#include <mutex>
#include <unordered_set>
#include <vector>

namespace {

struct AllocationList {
    std::mutex lock;
    std::unordered_set<void*> blocks;
};

// Never destroyed: the plug-in may free blocks while static objects go away.
AllocationList& List()
{
    static AllocationList* list = new AllocationList;
    return *list;
}

} // namespace

void* PluginAllocations::Allocate(size_t size)
{
    void* block = std::malloc(size);
    if (!block)
        return nullptr;
    AllocationList& list = List();
    std::lock_guard<std::mutex> hold(list.lock);
    list.blocks.insert(block);
    return block;
}

void PluginAllocations::Free(void* block)
{
    if (!block)
        return;
    {
        AllocationList& list = List();
        std::lock_guard<std::mutex> hold(list.lock);
        list.blocks.erase(block);
    }
    std::free(block);
}

void PluginAllocations::FreeAll()
{
    std::vector<void*> leftovers;
    {
        AllocationList& list = List();
        std::lock_guard<std::mutex> hold(list.lock);
        leftovers.assign(list.blocks.begin(), list.blocks.end());
        list.blocks.clear();
    }
    for (void* block : leftovers)
        std::free(block);
}

size_t PluginAllocations::Count()
{
    AllocationList& list = List();
    std::lock_guard<std::mutex> hold(list.lock);
    return list.blocks.size();
}
