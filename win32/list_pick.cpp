#include "list_pick.h"

bool ListPick::notified(WORD code, bool listOpen)
{
    switch (code) {
    case CBN_SELCHANGE:
        // While the list is open, the selection follows the pointer and the
        // arrow keys without anything being chosen yet.
        if (listOpen)
            return false;
        m_picked = true;
        break;
    case CBN_SELENDOK:
        if (!listOpen)
            return false;
        m_picked = true;
        break;
    case CBN_SELENDCANCEL:
        m_cancelled = true;
        break;
    default:
        return false;
    }
    const bool first = !m_settling;
    m_settling = true;
    return first;
}

bool ListPick::settle()
{
    const bool picked = m_picked && !m_cancelled;
    m_settling = m_picked = m_cancelled = false;
    return picked;
}
