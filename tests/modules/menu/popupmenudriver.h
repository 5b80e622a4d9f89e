#pragma once

#include "nativemenu.h"

#include <thread>
#include <vector>

// Works the next pop-up menu of this process from a thread of its own, the
// way a user does: waits for it to show, reads its entries and picks the
// entry at a position with the keyboard (Down to it, then Return; the system
// takes keys only from the input stream, not from posted messages). A menu
// still open at the end (a pick that went wrong) is closed, so no test
// leaves one behind. Every wait is bounded.
class PopupMenuDriver {
public:
    explicit PopupMenuDriver(int pickPosition);
    ~PopupMenuDriver();
    PopupMenuDriver(const PopupMenuDriver&) = delete;
    PopupMenuDriver& operator=(const PopupMenuDriver&) = delete;

    // Waits for the thread; true when a menu showed and closed after the pick.
    bool Join();
    // The entries the menu showed (after Join).
    const std::vector<NativeItem>& Items() const { return m_items; }

private:
    void Run();
    void Pick(int pickPosition) const;

    int m_pickPosition;
    std::vector<NativeItem> m_items;
    bool m_shown = false;
    bool m_closed = false;
    std::thread m_thread;
};
