#pragma once

#include "eventdispatcher.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

// What the libcurl callbacks of one request work with: the owner's two stop
// flags, where received bytes go, and the event address. FTP transfers keep
// theirs in the thread object, so the byte count stays readable afterwards;
// each HTTP request makes one of its own.
struct TransferContext {
    TransferContext(const std::atomic<bool>& abort, const std::atomic<bool>& closing, const EventDispatcher& address)
        : abort(abort), closing(closing), address(address)
    {
    }

    bool StopRequested() const { return abort || closing; }

    const std::atomic<bool>& abort;
    const std::atomic<bool>& closing;
    EventDispatcher address;
    std::FILE* file = nullptr;
    // HTTP: received bytes go to the file, otherwise into the buffer.
    bool toFile = false;
    std::string buffer;
    // The buffer could not grow: the text get fails instead of reporting
    // bytes it did not keep.
    bool bufferFailed = false;
    // Written by the transfer thread only; read by the owner at any time.
    std::atomic<int64_t> transferred{0};
    // The total announced in "onProgress"; -1 posts no progress.
    int64_t expected = -1;
};
