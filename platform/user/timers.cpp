// Timers: WM_TIMER is generated, not posted, whenever a timer is due and
// nothing else is in the queue; a due timer gives one message however late
// it is taken.
#include <algorithm>

#include "platform/user/message_queue.h"

namespace win32 {
namespace user {
namespace {

bool IsDue(const Timer& t, DWORD now) { return static_cast<LONG>(now - t.due) >= 0; }

UINT_PTR NewThreadTimerId() {
    static UINT_PTR next = 0x7FF0;
    for (;;) {
        UINT_PTR id = next++;
        if (next > 0xFFFF) next = 0x7FF0;
        bool used = std::any_of(Wm().timers.begin(), Wm().timers.end(),
                                [&](const Timer& t) { return !t.hwnd && t.id == id; });
        if (!used) return id;
    }
}

}  // namespace

bool TakeTimerMessage(MSG& msg, const MessageFilter& filter, bool remove) {
    WindowManager& wm = Wm();
    if (!filter.AcceptsMessage(WM_TIMER)) return false;
    DWORD now = wm.Now();
    for (Timer& t : wm.timers) {
        if (!IsDue(t, now) || !filter.Accepts(t.hwnd, WM_TIMER)) continue;
        msg = MSG{t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc), now, wm.cursorPos};
        if (remove) t.due = now + t.interval;
        return true;
    }
    return false;
}

int MsUntilNextTimer(const MessageFilter& filter) {
    WindowManager& wm = Wm();
    if (!filter.AcceptsMessage(WM_TIMER)) return -1;
    DWORD now = wm.Now();
    long best = -1;
    for (const Timer& t : wm.timers) {
        if (!filter.Accepts(t.hwnd, WM_TIMER)) continue;
        long wait = IsDue(t, now) ? 0 : static_cast<long>(t.due - now);
        if (best < 0 || wait < best) best = wait;
    }
    return static_cast<int>(best);
}

void KillWindowTimers(HWND hwnd) {
    auto& timers = Wm().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
                 timers.end());
}

bool IsTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc) {
    for (const Timer& t : Wm().timers) {
        if (t.hwnd == hwnd && t.id == id && t.proc == proc) return true;
    }
    return false;
}

}  // namespace user

using namespace user;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    WindowManager& wm = Wm();
    if (hwnd && !wm.Find(hwnd)) return 0;
    elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    auto& timers = wm.timers;
    auto existing = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (!hwnd && (id == 0 || existing == timers.end())) {
        id = NewThreadTimerId();
        existing = timers.end();
    }
    Timer t{hwnd, id, elapse, proc, wm.Now() + elapse};
    if (existing != timers.end()) *existing = t;
    else timers.push_back(t);
    return hwnd && id == 0 ? 1 : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    auto& timers = Wm().timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    return TRUE;
}

}  // namespace win32
