#pragma once

// Bounds the time shut-down may take. A worker cut off at shut-down may have
// held a lock (the heap's, a module's, the toolkit's) that a later shut-down
// step then waits for, for ever; the watchdog ends the process instead.
class ExitWatchdog {
public:
    // Starts a thread that ends the process with the exit code once the time
    // has passed. The thread is made before anything is cut off, and it takes
    // no lock, so a lock left taken cannot hold it up. The first call counts.
    static void Arm(unsigned long milliseconds, int exitCode);
};
