#include "filewriteguard.h"

#include <atomic>

namespace {

// Lock-free, so that a thread cut off inside a write leaves no lock taken.
std::atomic<int> g_inFlight{0};

} // namespace

FileWriteGuard::FileWriteGuard()
{
    ++g_inFlight;
}

FileWriteGuard::~FileWriteGuard()
{
    --g_inFlight;
}

int FileWriteGuard::InFlight()
{
    return g_inFlight.load();
}
