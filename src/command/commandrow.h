#pragma once

#include <cstdint>

struct json_object;

// What every command handler learns about its call. The layout is also the
// binary interface towards extension libraries: eight 32-bit words.
struct CallInfo {
    int32_t formId;    // the calling form
    int32_t callerId;  // the movie-side id of the calling script object
    int32_t isAsync;   // 1 when the call came by the asynchronous road
    int32_t reserved[5];
};

// A command handler: returns a new JSON value that the caller takes over, or
// null for "no value". The arguments belong to the caller; a handler that
// keeps one beyond the call takes its own reference.
using CommandHandler = json_object*(__cdecl*)(CallInfo* call, int32_t argc, json_object** argv);

// Calls a handler and returns its result as NUL-terminated UTF-8 JSON text,
// valid until the calling thread invokes again.
using CommandInvoker = const char*(__cdecl*)(CommandHandler handler, CallInfo* call, int32_t argc,
                                             json_object** argv);

// One row of a command table: three pointer-sized words, the same layout that
// extension libraries return.
struct CommandRow {
    const char* name; // "nxa.<Module>.<command>", UTF-8, static
    CommandHandler handler;
    CommandInvoker invoker;
};

static_assert(sizeof(CallInfo) == 32, "CallInfo is eight 32-bit words");
static_assert(sizeof(CommandRow) == 3 * sizeof(void*), "CommandRow is three pointer-sized words");

// The invoker of every built-in row: "null" when the handler returns nothing
// (or there is no handler), otherwise the result's JSON text; the result is
// released. The text lives in storage of the calling thread, so the main
// thread and the worker never share it.
const char* __cdecl InvokeRowHandler(CommandHandler handler, CallInfo* call, int32_t argc, json_object** argv);
