#pragma once

#include "moduledescriptor.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// A module of test commands under "nxa.Test.", plus a few rows named like
// real commands that must run on the main thread (or must not):
//   nxa.Test.echo            answers an array of its arguments
//   nxa.Test.callInfo        answers the CallInfo and whether argv was null
//   nxa.Test.nothing         answers no value
//   nxa.Test.empty           answers an empty object
//   nxa.Test.record, nxa.Dialogs.record, nxa.Application.say,
//   nxa.FileSystem.deleteFolder, nxa.FileSystem.copyFile
//                            record their first argument and where they ran
//   nxa.Test.sleep           sleeps its argument in milliseconds
//   nxa.Test.slowWrite       sleeps its argument in milliseconds as a file
//                            being written (FileWriteGuard)
//   nxa.Test.mainWork        runs work through RunOnMainThread
// and rows with rules (argument count, fallback, thread):
//   nxa.Test.counted         2 arguments, fallback "wrong"; records
//   nxa.Test.mainOnly        1 argument, main thread, fallback -2; records
//   nxa.Test.throw           throws std::bad_alloc, fallback []
//   nxa.Test.Thing.create    (value) -> id of a new Thing
//   nxa.Test.Thing.value     (id) -> its value; an unknown id answers -3
ModuleDescriptor& TestModule();

struct RecordedCall {
    int value;
    std::thread::id thread;
    bool onMainThread;
    int32_t isAsync;
};

// What the recording and sleeping commands saw; Reset before each test.
struct TestModuleLog {
    static void Reset();
    static std::vector<RecordedCall> Calls();

    static std::atomic<int> sleepsFinished;
    static std::atomic<bool> writeStarted;
    static std::atomic<int> writesFinished;
    static std::atomic<int> mainWorkRan;     // work that RunOnMainThread ran
    static std::atomic<int> mainWorkRefused; // RunOnMainThread answered false
    static std::atomic<bool> mainWorkStarted;
};
