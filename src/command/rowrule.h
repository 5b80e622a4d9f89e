#pragma once

#include "commandrow.h"

#include <cstdint>

// What the command centre enforces for a built-in row before its handler
// runs. Extension rows have none: their handlers see every call as it comes.

// The row accepts any number of arguments.
constexpr int32_t kAnyArgCount = -1;

// Where and how a row's work runs.
enum RowFlag : uint32_t {
    kAnyThread = 0,
    // Window, plug-in, timer and COM work: a call that arrives by the
    // asynchronous road runs its handler on the main thread (the worker waits).
    kMainThread = 1u << 0,
    // The first argument is the id of one of the module's objects; an id that
    // is not in the map answers the fallback (see ObjectRows).
    kObjectRow = 1u << 1,
};

struct RowRule {
    int32_t argc;         // the exact argument count, or kAnyArgCount
    const char* fallback; // JSON text answered for a wrong count or an unknown object
    uint32_t flags;       // RowFlag bits

    bool Accepts(int32_t count) const { return argc == kAnyArgCount || argc == count; }
    bool RunsOnMainThread() const { return (flags & kMainThread) != 0; }
    bool TakesObject() const { return (flags & kObjectRow) != 0; }
};

// One row of a module's table, declared once:
//   {"nxa.Zip.zip", zip, 3, "false", kAnyThread},
struct RowSpec {
    const char* name; // static UTF-8 text, not copied
    CommandHandler handler;
    int32_t argc;
    const char* fallback;
    uint32_t flags;

    RowRule Rule() const { return RowRule{argc, fallback, flags}; }
};
