// The keyboard in the menu loop: arrows, Home and End, Enter, Escape, Alt
// and F10, and typed characters as access keys (WM_MENUCHAR when no plain
// item has the key, as for owner-drawn items that have no text).
#include <vector>

#include "platform/user/menu_loop.h"

namespace win32::user::menu {

void MenuTracker::OnKeyDown(const MSG& msg) {
    UINT vk = static_cast<UINT>(msg.wParam);
    bool repeat = (static_cast<DWORD>(msg.lParam) & (1u << 30)) != 0;
    if (vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU) {
        // Alt leaves the menu; the keys typed with it then reach the window
        // (a new Alt+letter opens the menu it names). Releasing this Alt
        // must not open the menu bar again.
        if (!repeat) {
            End();
            Wm().altAlone = false;
        }
        return;
    }
    if (vk == VK_F10) return;  // F10 closes the menu when released
    // Enter and Escape act on the key itself; their characters would reach
    // the window once the menu is gone (a line break typed into an editor).
    if (vk != VK_RETURN && vk != VK_ESCAPE) TranslateMessage(&msg);
    std::size_t deep = Deepest();
    Menu* m = MenuAt(deep);
    if (!m) return;
    bool onBar = IsBarLevel(deep);
    switch (vk) {
        case VK_ESCAPE:
            if (deep == 0) End();
            else CloseFrom(deep);
            break;
        case VK_UP:
        case VK_DOWN:
            if (onBar) OpenSubmenu(0, true);
            else Select(deep, NextSelectable(deep, m->selected, vk == VK_DOWN ? 1 : -1), false);
            break;
        case VK_HOME:
        case VK_END:
            if (onBar && bar_ && levels_[0].menu != bar_) SwitchBarLevel(bar_, -1, false);
            Select(deep, NextSelectable(deep, -1, vk == VK_HOME ? 1 : -1), false);
            break;
        case VK_LEFT:
            if (onBar) MoveOnBar(-1);
            else if (deep >= 2 || (deep == 1 && kind_ == Kind::Popup)) CloseFrom(deep);
            else if (kind_ == Kind::Bar) MoveOnBar(-1);
            break;
        case VK_RIGHT: {
            int sel = m->selected;
            bool opens = sel >= 0 && FindMenu(m->items[static_cast<std::size_t>(sel)].submenu) &&
                         !m->items[static_cast<std::size_t>(sel)].IsDisabled();
            if (opens && !onBar) OpenSubmenu(deep, true);
            else if (kind_ == Kind::Bar) MoveOnBar(1);
            break;
        }
        case VK_RETURN:
            if (m->selected >= 0) Choose(deep, m->selected, false);
            break;
        default: break;
    }
}

void MenuTracker::OnKeyUp(const MSG& msg) {
    if (msg.wParam == VK_F10) End();
}

void MenuTracker::OnChar(const MSG& msg) {
    char32_t ch = static_cast<char32_t>(msg.wParam);
    if (ch < 0x20 || ch == 0x7F) return;
    bool system = msg.message == WM_SYSCHAR;
    // Alt+Space goes to the window menu.
    if (system && ch == ' ' && kind_ == Kind::Bar && windowMenu_) {
        SwitchBarLevel(windowMenu_, 0, false);
        OpenSubmenu(0, true);
        return;
    }
    // With Alt held, a letter names an item of the menu bar.
    std::size_t level = (system && kind_ == Kind::Bar) ? 0 : Deepest();
    if (IsBarLevel(level) && bar_ && levels_[0].menu != bar_) SwitchBarLevel(bar_, -1, false);
    OnAccessKey(level, ch, system);
}

void MenuTracker::OnAccessKey(std::size_t level, char32_t ch, bool) {
    Menu* m = MenuAt(level);
    if (!m) return;
    char32_t key = FoldCase(ch);
    std::vector<int> matches;
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        if (item.IsOwnerDraw() || item.IsSeparator() || (item.type & MFT_BITMAP)) continue;
        if (AccessKeyOf(item.text) == key) matches.push_back(static_cast<int>(i));
    }
    if (matches.size() == 1) {
        Select(level, matches[0], false);
        Choose(level, matches[0], false);
        return;
    }
    if (matches.size() > 1) {
        // Several items share the key: each press highlights the next.
        int next = matches[0];
        for (int i : matches) {
            if (i > m->selected) {
                next = i;
                break;
            }
        }
        Select(level, next, false);
        return;
    }
    WORD flags = IsBarLevel(level) ? 0 : static_cast<WORD>(m->system ? MF_SYSMENU : MF_POPUP);
    HMENU menu = levels_[level].menu;
    LRESULT answer = SendMessageA(owner_, WM_MENUCHAR, MAKEWPARAM(static_cast<WORD>(ch), flags),
                                  reinterpret_cast<LPARAM>(menu));
    if (ended_ || !StillValid() || level >= levels_.size() || levels_[level].menu != menu) return;
    if (!(m = MenuAt(level))) return;
    int index = LOWORD(answer);
    bool valid = index < static_cast<int>(m->items.size());
    switch (HIWORD(answer)) {
        case MNC_CLOSE: End(); break;
        case MNC_EXECUTE:
            if (!valid) {
                MessageBeep(0);
                break;
            }
            Select(level, index, false);
            Choose(level, index, false);
            break;
        case MNC_SELECT:
            if (valid) Select(level, index, false);
            else MessageBeep(0);
            break;
        default: MessageBeep(0); break;
    }
}

}  // namespace win32::user::menu
