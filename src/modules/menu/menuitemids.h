#pragma once

#include <cstdint>
#include <mutex>
#include <set>

// The command ids of the menu items that movies insert. One sequence serves
// every form's menus and the tray menu, so one id names one item everywhere
// and a click can be traced back to its item.
//
// Ids count up from 4000 and are not given again while the sequence lasts. A
// menu command carries its id as a signed 16-bit number, so past 32767 the
// sequence starts again at 4000 and skips the ids of items still held.
class MenuItemIds {
public:
    static constexpr int32_t kFirstId = 4000;
    static constexpr int32_t kLastId = 32767;
    static constexpr int32_t kNoId = -1;

    // The next free id, now held; kNoId when every id is held.
    int32_t Take();
    // The item with the id is gone: after the sequence starts again the id
    // may be given to a new item.
    void Release(int32_t id);

private:
    std::mutex m_lock;
    int32_t m_next = kFirstId;
    std::set<int32_t> m_held;
};

// The process's one sequence.
MenuItemIds& ProcessMenuItemIds();
