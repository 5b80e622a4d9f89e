#pragma once

#include <string>

namespace player {

// The player's record of what happened, for tests: a UTF-8 text file named by
// the environment variable KOVA_PLAYER_TRANSCRIPT, appended to and flushed
// line by line. Each line reads
//   <thread> #<instance> <text>
// where <thread> is "main" for the thread that called NP_Initialize (before
// that: the thread that called NP_GetEntryPoints) and "other" for any other
// thread, and <instance> is the instance number (1, 2, ... in creation order)
// or "-" for calls that belong to no instance. Without the variable nothing is
// written. Safe to call from any thread.
class Transcript {
public:
    static void SetMainThread();
    static void Write(int instance, const std::string& text);
    // Closes the file; the next Write opens it again.
    static void Close();
};

} // namespace player
