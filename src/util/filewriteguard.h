#pragma once

// Marks a file being written, for as long as the guard lives. Stopping the
// command worker at shut-down waits (within a bound) while any write is
// marked instead of cutting the worker off, which would leave the file
// truncated.
class FileWriteGuard {
public:
    FileWriteGuard();
    ~FileWriteGuard();
    FileWriteGuard(const FileWriteGuard&) = delete;
    FileWriteGuard& operator=(const FileWriteGuard&) = delete;

    // How many writes are marked now, on any thread.
    static int InFlight();
};
