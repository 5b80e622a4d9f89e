#include "menuitemids.h"

int32_t MenuItemIds::Take()
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (int32_t tries = 0; tries <= kLastId - kFirstId; ++tries) {
        if (m_next > kLastId)
            m_next = kFirstId;
        const int32_t id = m_next++;
        if (m_held.insert(id).second)
            return id;
    }
    return kNoId;
}

void MenuItemIds::Release(int32_t id)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_held.erase(id);
}

MenuItemIds& ProcessMenuItemIds()
{
    static MenuItemIds ids;
    return ids;
}
