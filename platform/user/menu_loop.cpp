// The menu loop: starting and ending it with its messages, taking the
// thread's messages while it runs, and the chain of open menus (selecting,
// opening and closing submenus, choosing an item).
#include "platform/user/menu_loop.h"

#include <algorithm>

#include "platform/user/hooks.h"
#include "platform/user/menu_draw.h"
#include "platform/user/menu_layout.h"
#include "platform/user/popup_menu.h"
#include "platform/user/system_menu.h"

namespace win32::user::menu {
namespace {

// A message number nothing uses: peeking for it with PM_REMOVE discards the
// input that can never become a message, and nothing else.
constexpr UINT kNoMessage = 0xFFFE;

bool IsMouseMessage(UINT m) {
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

bool IsKeyMessage(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }

// The button of a button message (0 left, 1 right, 2 middle) and its kind.
enum class Press { None, Down, Up };
Press PressOf(UINT m, int& button) {
    switch (m) {
        case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
            button = 0; return Press::Down;
        case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
            button = 1; return Press::Down;
        case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
            button = 2; return Press::Down;
        case WM_LBUTTONUP: case WM_NCLBUTTONUP: button = 0; return Press::Up;
        case WM_RBUTTONUP: case WM_NCRBUTTONUP: button = 1; return Press::Up;
        case WM_MBUTTONUP: case WM_NCMBUTTONUP: button = 2; return Press::Up;
        default: return Press::None;
    }
}

}  // namespace

MenuTracker::MenuTracker(HWND owner, Kind kind, UINT flags) : owner_(owner), kind_(kind), flags_(flags) {}

MenuTracker::~MenuTracker() {
    if (Menus().tracker == this) Menus().tracker = nullptr;
}

Menu* MenuTracker::MenuAt(std::size_t level) const {
    return level < levels_.size() ? FindMenu(levels_[level].menu) : nullptr;
}

// ---- Starting, running and ending -------------------------------------------

bool MenuTracker::Begin(HMENU initMenu) {
    MenuSystem& system = Menus();
    if (system.tracker) return false;
    system.tracker = this;
    startTime_ = Wm().Now();
    activeAtStart_ = GetActiveWindow();
    SetCapture(owner_);
    captured_ = GetCapture() == owner_;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    SendMessageA(owner_, WM_ENTERMENULOOP, kind_ == Kind::Popup ? TRUE : FALSE, 0);
    if (ended_ || !IsWindow(owner_)) return false;
    if (!(flags_ & TPM_NONOTIFY) && initMenu) SendMessageA(owner_, WM_INITMENU, reinterpret_cast<WPARAM>(initMenu), 0);
    return !ended_ && StillValid();
}

bool MenuTracker::StillValid() {
    if (!IsWindow(owner_)) return false;
    if (levels_.empty()) return false;
    for (const Level& lv : levels_) {
        if (!FindMenu(lv.menu)) return false;
        if (lv.window && !IsWindow(lv.window)) return false;
    }
    // Another window taking the mouse or the activation ends the menu.
    if (captured_ && GetCapture() != owner_) return false;
    if (activeAtStart_ && GetActiveWindow() != activeAtStart_) return false;
    return true;
}

void MenuTracker::Run() {
    while (!ended_) {
        RefreshDirtyLevels();
        if (ended_ || !StillValid()) break;
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            Idle();
            continue;
        }
        idleSent_ = false;
        HandleMessage(msg);
    }
    ended_ = true;
}

void MenuTracker::Idle() {
    if (!idleSent_) {
        idleSent_ = true;
        HWND popup = levels_.empty() ? nullptr : levels_.back().window;
        SendMessageA(owner_, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(popup));
        return;
    }
    MSG discard;
    PeekMessageA(&discard, nullptr, kNoMessage, kNoMessage, PM_REMOVE);
    WaitMessage();
}

void MenuTracker::HandleMessage(const MSG& peeked) {
    UINT m = peeked.message;
    if (m == WM_QUIT) {
        // The quit is left for the loop outside the menu.
        End();
        return;
    }
    int button = 0;
    if (IsMouseMessage(m)) {
        // A press outside every menu closes the menu and stays in the queue
        // for the window under the pointer.
        if (PressOf(m, button) == Press::Down && HitTest(peeked.pt).where == Hit::Where::Nothing) {
            End();
            return;
        }
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, m, m, PM_REMOVE)) return;
        if (HasHooks(WH_MSGFILTER) && CallHookChain(WH_MSGFILTER, static_cast<int>(MSGF_MENU), 0,
                                                    reinterpret_cast<LPARAM>(&msg)))
            return;
        Hit hit = HitTest(msg.pt);
        switch (PressOf(msg.message, button)) {
            case Press::Down:
                if (!OnButtonDown(hit, button, msg.time)) End();
                break;
            case Press::Up: OnButtonUp(hit, button); break;
            case Press::None:
                if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) OnMouseMove(hit);
                break;
        }
        return;
    }
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, m, m, PM_REMOVE)) return;
    if (IsKeyMessage(msg.message)) {
        if (HasHooks(WH_MSGFILTER) && CallHookChain(WH_MSGFILTER, static_cast<int>(MSGF_MENU), 0,
                                                    reinterpret_cast<LPARAM>(&msg)))
            return;
        switch (msg.message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN: OnKeyDown(msg); break;
            case WM_KEYUP:
            case WM_SYSKEYUP: OnKeyUp(msg); break;
            case WM_CHAR:
            case WM_SYSCHAR: OnChar(msg); break;
            default: break;
        }
        return;
    }
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        End();
        return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void MenuTracker::RefreshDirtyLevels() {
    for (std::size_t level = 0; level < levels_.size(); ++level) {
        if (!levels_[level].dirty) continue;
        levels_[level].dirty = false;
        Menu* m = MenuAt(level);
        if (!m) continue;
        if (m->selected >= static_cast<int>(m->items.size())) m->selected = -1;
        HWND window = levels_[level].window;
        if (!window) continue;
        // The items changed while the menu was open: it takes its new size
        // and is painted again.
        SIZE screen = Wm().ScreenSize();
        SIZE client = LayoutPopup(levels_[level].menu, owner_, screen.cy - 2 * metrics::PopupBorder());
        if (ended_ || level >= levels_.size() || !IsWindow(window)) return;
        SIZE size = PopupWindowSize(client);
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(window, nullptr, TRUE);
    }
}

UINT MenuTracker::Finish() {
    if (kind_ == Kind::Bar && !levels_.empty()) {
        CloseFrom(1);
        if (Menu* m = MenuAt(0)) {
            int old = m->selected;
            m->selected = -1;
            m->selectedOpen = false;
            RedrawItem(0, old, ODA_SELECT);
        }
    }
    CloseFrom(0);
    if (captured_) {
        captured_ = false;
        if (GetCapture() == owner_) ReleaseCapture();
    }
    if (Menus().tracker == this) Menus().tracker = nullptr;
    bool alive = IsWindow(owner_) != FALSE;
    if (alive && !(flags_ & TPM_NONOTIFY)) SendMessageA(owner_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    if (haveChoice_ && IsWindow(owner_) && !(flags_ & (TPM_RETURNCMD | TPM_NONOTIFY))) {
        // The command arrives through the queue, after the loop has ended.
        if (choiceIsSystem_) PostMessageA(owner_, WM_SYSCOMMAND, choice_, choicePoint_);
        else PostMessageA(owner_, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(choice_), 0), 0);
    }
    if (IsWindow(owner_)) SendMessageA(owner_, WM_EXITMENULOOP, kind_ == Kind::Popup ? TRUE : FALSE, 0);
    return haveChoice_ ? choice_ : 0;
}

// ---- What the rest of the system reports --------------------------------------

void MenuTracker::Cancel() { End(); }

void MenuTracker::OnMenuDestroyed(HMENU menu) {
    for (const Level& lv : levels_) {
        if (lv.menu == menu) End();
    }
}

void MenuTracker::OnMenuChanged(HMENU menu) {
    for (Level& lv : levels_) {
        if (lv.menu == menu) lv.dirty = true;
    }
}

void MenuTracker::OnWindowDestroyed(HWND hwnd) {
    if (hwnd == owner_) End();
    for (Level& lv : levels_) {
        if (lv.window == hwnd) {
            lv.window = nullptr;
            End();
        }
    }
}

void MenuTracker::OnBarReplaced(HWND hwnd) {
    if (hwnd == owner_ && kind_ == Kind::Bar) End();
}

void MenuTracker::OnSubmenuTimer(HWND popup) {
    for (std::size_t level = 0; level < levels_.size(); ++level) {
        if (levels_[level].window != popup) continue;
        Menu* m = MenuAt(level);
        if (!m || m->selected < 0) return;
        bool open = levels_.size() > level + 1 &&
                    levels_[level + 1].menu == m->items[static_cast<std::size_t>(m->selected)].submenu;
        if (!open) OpenSubmenu(level, false);
        return;
    }
}

// ---- The chain of open menus -----------------------------------------------------

int MenuTracker::NextSelectable(std::size_t level, int from, int step) const {
    Menu* m = MenuAt(level);
    if (!m || m->items.empty()) return -1;
    int n = static_cast<int>(m->items.size());
    int i = from;
    for (int tries = 0; tries < n; ++tries) {
        i = i < 0 ? (step > 0 ? 0 : n - 1) : ((i + step) % n + n) % n;
        if (!m->items[static_cast<std::size_t>(i)].IsSeparator()) return i;
    }
    return -1;
}

void MenuTracker::Select(std::size_t level, int index, bool byMouse) {
    Menu* m = MenuAt(level);
    if (!m) return;
    if (index >= static_cast<int>(m->items.size())) index = -1;
    if (m->selected == index) return;
    if (levels_.size() > level + 1) CloseFrom(level + 1);
    if (!(m = MenuAt(level))) return;
    int old = m->selected;
    m->selected = index;
    m->selectedOpen = false;
    if (level < levels_.size() && levels_[level].window) KillTimer(levels_[level].window, kSubmenuTimer);
    RedrawItem(level, old, ODA_SELECT);
    RedrawItem(level, index, ODA_SELECT);
    if (index >= 0) SendMenuSelect(level, index, byMouse);
}

void MenuTracker::SendMenuSelect(std::size_t level, int index, bool byMouse) {
    if (flags_ & TPM_NONOTIFY) return;
    Menu* m = MenuAt(level);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size())) return;
    const MenuItem& item = m->items[static_cast<std::size_t>(index)];
    UINT flags = ItemFlags(item) | MF_HILITE;
    if (byMouse) flags |= MF_MOUSESELECT;
    if (m->system) flags |= MF_SYSMENU;
    // An item that opens a submenu is named by its position, any other by
    // its identifier.
    WORD first = (flags & MF_POPUP) ? static_cast<WORD>(index) : LOWORD(item.id);
    SendMessageA(owner_, WM_MENUSELECT, MAKEWPARAM(first, static_cast<WORD>(flags)),
                 reinterpret_cast<LPARAM>(levels_[level].menu));
}

void MenuTracker::RedrawItem(std::size_t level, int index, UINT action) {
    if (index < 0 || level >= levels_.size()) return;
    const Level lv = levels_[level];
    if (IsBarLevel(level)) {
        if (lv.menu == bar_) RedrawBarItem(owner_, index, action);
        return;
    }
    if (!lv.window || !IsWindow(lv.window)) return;
    HDC dc = GetDC(lv.window);
    if (!dc) return;
    DrawPopupItem(lv.menu, index, dc, owner_, action);
    ReleaseDC(lv.window, dc);
}

RECT MenuTracker::PlaceSubmenu(std::size_t level, SIZE size) const {
    SIZE screen = Wm().ScreenSize();
    Menu* m = MenuAt(level);
    int index = m ? m->selected : -1;
    RECT anchor{0, 0, 0, 0};
    int left, top;
    if (IsBarLevel(level)) {
        if (levels_[0].menu != bar_ || !ItemScreenRect(owner_, bar_, index, anchor)) anchor = WindowMenuAnchor(owner_);
        // Below the bar item, or above it when there is no room below.
        left = anchor.left;
        top = anchor.bottom;
        if (top + size.cy > screen.cy) top = anchor.top - size.cy;
        if (top < 0) top = std::max<LONG>(0, screen.cy - size.cy);
        if (left + size.cx > screen.cx) left = screen.cx - size.cx;
    } else {
        RECT parent{0, 0, 0, 0};
        if (Window* w = Wm().Find(levels_[level].window)) parent = ScreenWindowRect(w);
        ItemScreenRect(nullptr, levels_[level].menu, index, anchor);
        int b = metrics::PopupBorder();
        // Beside the item, to the right or to the left when there is no
        // room; upwards from the item when there is no room below.
        left = parent.right - b;
        if (left + size.cx > screen.cx) left = parent.left - size.cx + b;
        top = anchor.top - b;
        if (top + size.cy > screen.cy) top = anchor.bottom + b - size.cy;
    }
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    return RECT{left, top, left + size.cx, top + size.cy};
}

bool MenuTracker::OpenSubmenu(std::size_t level, bool selectFirst) {
    Menu* m = MenuAt(level);
    if (!m || m->selected < 0 || m->selected >= static_cast<int>(m->items.size())) return false;
    int index = m->selected;
    const MenuItem& item = m->items[static_cast<std::size_t>(index)];
    HMENU sub = item.submenu;
    if (!FindMenu(sub) || item.IsDisabled()) return false;
    if (levels_.size() > level + 1) {
        if (levels_[level + 1].menu == sub) {
            Menu* open = MenuAt(level + 1);
            if (selectFirst && open && open->selected < 0) Select(level + 1, NextSelectable(level + 1, -1, 1), false);
            return true;
        }
        CloseFrom(level + 1);
    }
    auto stillThere = [&] {
        Menu* again = MenuAt(level);
        return !ended_ && StillValid() && levels_.size() == level + 1 && again && again->selected == index &&
               index < static_cast<int>(again->items.size()) &&
               again->items[static_cast<std::size_t>(index)].submenu == sub && FindMenu(sub);
    };
    bool system = m->system || FindMenu(sub)->system;
    if (system) UpdateWindowMenuState(owner_);
    if (!(flags_ & TPM_NONOTIFY)) {
        SendMessageA(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub),
                     MAKELPARAM(static_cast<WORD>(index), system ? 1 : 0));
        if (!stillThere()) return false;
    }
    if (FindMenu(sub)->items.empty()) return false;
    SIZE screen = Wm().ScreenSize();
    SIZE client = LayoutPopup(sub, owner_, screen.cy - 2 * metrics::PopupBorder());
    if (!stillThere()) return false;
    RECT place = PlaceSubmenu(level, PopupWindowSize(client));
    HWND popup = CreatePopupWindow(sub, owner_, place);
    if (!popup) return false;
    if (!stillThere()) {
        DestroyWindow(popup);
        return false;
    }
    Menu* s = FindMenu(sub);
    s->popupWindow = popup;
    s->selected = -1;
    s->selectedOpen = false;
    levels_.push_back(Level{sub, popup, false});
    MenuAt(level)->selectedOpen = true;
    RedrawItem(level, index, ODA_SELECT);
    ShowPopupWindow(popup);
    if (selectFirst && levels_.size() == level + 2) Select(level + 1, NextSelectable(level + 1, -1, 1), false);
    return true;
}

void MenuTracker::CloseFrom(std::size_t level) {
    bool closed = false;
    while (levels_.size() > level && !levels_.empty()) {
        Level lv = levels_.back();
        if (!lv.window && levels_.size() == 1 && kind_ == Kind::Bar) break;  // the bar level stays
        levels_.pop_back();
        closed = true;
        bool system = false;
        if (Menu* m = FindMenu(lv.menu)) {
            system = m->system;
            if (m->popupWindow == lv.window) m->popupWindow = nullptr;
            m->selected = -1;
            m->selectedOpen = false;
        }
        if (lv.window && IsWindow(lv.window)) DestroyWindow(lv.window);
        if (lv.window && !(flags_ & TPM_NONOTIFY) && IsWindow(owner_)) {
            SendMessageA(owner_, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(lv.menu),
                         MAKELPARAM(0, system ? MF_SYSMENU : 0));
        }
    }
    if (closed && level > 0 && level == levels_.size()) {
        Menu* parent = MenuAt(level - 1);
        if (parent && parent->selectedOpen) {
            parent->selectedOpen = false;
            RedrawItem(level - 1, parent->selected, ODA_SELECT);
        }
    }
}

void MenuTracker::Choose(std::size_t level, int index, bool byMouse) {
    Menu* m = MenuAt(level);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size())) return;
    MenuItem item = m->items[static_cast<std::size_t>(index)];
    if (item.IsSeparator()) return;
    if (FindMenu(item.submenu)) {
        if (m->selected != index) Select(level, index, byMouse);
        OpenSubmenu(level, !byMouse);
        return;
    }
    // Disabled items can be highlighted but not chosen.
    if (item.IsDisabled()) return;
    haveChoice_ = true;
    choice_ = item.id;
    choiceIsSystem_ = m->system;
    if (byMouse) {
        POINT p;
        GetCursorPos(&p);
        choicePoint_ = MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
    }
    End();
}

void MenuTracker::SwitchBarLevel(HMENU menu, int index, bool byMouse) {
    if (levels_.empty()) return;
    if (levels_[0].menu != menu) {
        CloseFrom(1);
        if (Menu* old = MenuAt(0)) {
            int was = old->selected;
            old->selected = -1;
            old->selectedOpen = false;
            RedrawItem(0, was, ODA_SELECT);
        }
        levels_[0].menu = menu;
        if (Menu* m = MenuAt(0)) m->selected = -1;
    }
    Select(0, index, byMouse);
}

void MenuTracker::MoveOnBar(int step) {
    if (levels_.empty()) return;
    bool wasOpen = levels_.size() > 1;
    bool onWindowMenu = levels_[0].menu == windowMenu_ && windowMenu_;
    Menu* bar = FindMenu(bar_);
    int barCount = bar ? static_cast<int>(bar->items.size()) : 0;
    HMENU target = bar_;
    int index = -1;
    if (onWindowMenu) {
        if (barCount == 0) return;
        index = step > 0 ? 0 : barCount - 1;
    } else {
        int current = bar ? bar->selected : -1;
        int next = current + step;
        // The window menu sits before the first bar item.
        if ((next < 0 || next >= barCount) && windowMenu_) {
            target = windowMenu_;
            index = 0;
        } else {
            index = ((next % barCount) + barCount) % barCount;
        }
    }
    if (target == bar_) {
        // Separators on the bar are passed over.
        for (int tries = 0; tries < barCount && bar->items[static_cast<std::size_t>(index)].IsSeparator(); ++tries)
            index = ((index + step) % barCount + barCount) % barCount;
    }
    SwitchBarLevel(target, index, false);
    if (wasOpen && !ended_) OpenSubmenu(0, true);
}

}  // namespace win32::user::menu
