#pragma once

#include <cstddef>

// The memory blocks the plug-in took from the host (NPN_MemAlloc) and has not
// given back. The plug-in allocates from whichever thread it runs on, so the
// list is locked. Blocks still listed when the plug-in is unloaded are freed
// then. The list outlives every static object, so a late free is still safe.
class PluginAllocations {
public:
    static void* Allocate(size_t size);
    // Forgets every record of the block and frees it; NULL is ignored.
    static void Free(void* block);
    // Frees every block still recorded and empties the list.
    static void FreeAll();
    static size_t Count();
};
