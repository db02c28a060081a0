#pragma once

#include <windows.h>

// Turns a drop-down list's notifications into picks, one per pick.
//
// A combo box reports one pick through several notifications, and which ones
// differs between versions of Windows (and Wine): Up or Down in the closed
// field sends CBN_SELCHANGE, where some versions first send CBN_SELENDOK;
// with the list open, every item the mouse or the arrow keys pass sends
// CBN_SELCHANGE, and the choice itself CBN_SELENDOK, then CBN_CLOSEUP and,
// on some versions, one more CBN_SELCHANGE once the list is closed; leaving
// the open list by Escape or a click elsewhere sends CBN_SELENDCANCEL.
// So a pick is CBN_SELCHANGE while the list is closed or CBN_SELENDOK while
// it is open, unless the same burst cancels, and all the notifications that
// one key or click causes (they are sent, not posted, while it is handled)
// make one pick: the owner posts itself a message at the first of them and
// asks settle() when that message arrives, after the burst.
class ListPick {
public:
    // Takes one notification code, sent while the list was open or not;
    // true when the owner must post itself the settling message now.
    bool notified(WORD code, bool listOpen);

    // True when the burst just ended was a pick; starts a new burst.
    bool settle();

private:
    bool m_settling = false;
    bool m_picked = false;
    bool m_cancelled = false;
};
