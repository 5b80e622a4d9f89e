#pragma once

#include <wx/string.h>

#include <mutex>
#include <thread>
#include <vector>

// Replaces the message box for unknown command names while it lives, so no
// test waits on a box; records each message and the thread that raised it.
class UnknownCommandCapture {
public:
    struct Report {
        wxString message;
        std::thread::id thread;
    };

    UnknownCommandCapture();
    ~UnknownCommandCapture();
    UnknownCommandCapture(const UnknownCommandCapture&) = delete;
    UnknownCommandCapture& operator=(const UnknownCommandCapture&) = delete;

    std::vector<Report> Reports() const;

private:
    mutable std::mutex m_lock;
    std::vector<Report> m_reports;
};
