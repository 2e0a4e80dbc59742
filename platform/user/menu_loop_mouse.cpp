// The mouse in the menu loop: tracking across the bar and the open menus,
// opening submenus (at once on a press, after a moment when the pointer
// rests), choosing on release, and closing on a press elsewhere.
#include "platform/user/menu_layout.h"
#include "platform/user/menu_loop.h"
#include "platform/user/popup_menu.h"
#include "platform/user/system_menu.h"

namespace win32::user::menu {

MenuTracker::Hit MenuTracker::HitTest(POINT pt) const {
    Hit hit;
    for (std::size_t level = levels_.size(); level-- > 0;) {
        const Level& lv = levels_[level];
        Window* w = lv.window ? Wm().Find(lv.window) : nullptr;
        if (!w) continue;
        RECT r = ScreenWindowRect(w);
        if (!PtInRect(&r, pt)) continue;
        hit.where = Hit::Where::Popup;
        hit.level = level;
        hit.index = ItemAtScreenPoint(nullptr, lv.menu, pt);
        Menu* m = FindMenu(lv.menu);
        if (m && hit.index >= 0 && m->items[static_cast<std::size_t>(hit.index)].IsSeparator()) hit.index = -1;
        return hit;
    }
    if (kind_ != Kind::Bar) return hit;
    if (bar_) {
        BarPlace bar = BarOf(owner_);
        Window* w = Wm().Find(owner_);
        if (bar.menu == bar_ && w) {
            RECT r = bar.rect;
            POINT o = WindowOrigin(w);
            OffsetRect(&r, o.x, o.y);
            if (PtInRect(&r, pt)) {
                hit.where = Hit::Where::Bar;
                hit.index = ItemAtScreenPoint(owner_, bar_, pt);
                Menu* m = FindMenu(bar_);
                if (m && hit.index >= 0 && m->items[static_cast<std::size_t>(hit.index)].IsSeparator()) hit.index = -1;
                return hit;
            }
        }
    }
    if (windowMenu_) {
        RECT icon = WindowMenuAnchor(owner_);
        if (PtInRect(&icon, pt)) hit.where = Hit::Where::WindowMenuIcon;
    }
    return hit;
}

bool MenuTracker::ButtonChooses(int button) const {
    if (button == 0) return true;
    return button == 1 && (kind_ == Kind::Bar || (flags_ & TPM_RIGHTBUTTON));
}

void MenuTracker::OnMouseMove(const Hit& hit) {
    switch (hit.where) {
        case Hit::Where::Popup: {
            Menu* m = MenuAt(hit.level);
            if (!m) return;
            if (hit.index < 0) {
                // Over no item: the highlight goes unless a submenu hangs from it.
                if (levels_.size() == hit.level + 1) Select(hit.level, -1, true);
                return;
            }
            if (m->selected == hit.index) return;
            Select(hit.level, hit.index, true);
            if (!(m = MenuAt(hit.level)) || m->selected != hit.index) return;
            const MenuItem& item = m->items[static_cast<std::size_t>(hit.index)];
            if (FindMenu(item.submenu) && !item.IsDisabled() && levels_[hit.level].window)
                SetTimer(levels_[hit.level].window, kSubmenuTimer, SubmenuDelay(), nullptr);
            return;
        }
        case Hit::Where::Bar: {
            if (hit.index < 0) return;
            Menu* m = MenuAt(0);
            if (levels_[0].menu == bar_ && m && m->selected == hit.index) return;
            // With a menu open, the menu of the item under the pointer opens
            // in its place.
            bool wasOpen = levels_.size() > 1;
            SwitchBarLevel(bar_, hit.index, true);
            if (wasOpen && !ended_) OpenSubmenu(0, false);
            return;
        }
        case Hit::Where::WindowMenuIcon: {
            if (levels_[0].menu == windowMenu_) return;
            bool wasOpen = levels_.size() > 1;
            SwitchBarLevel(windowMenu_, 0, true);
            if (wasOpen && !ended_) OpenSubmenu(0, false);
            return;
        }
        case Hit::Where::Nothing: {
            std::size_t deep = Deepest();
            Menu* m = MenuAt(deep);
            if (!IsBarLevel(deep) && m && m->selected >= 0) Select(deep, -1, true);
            return;
        }
    }
}

bool MenuTracker::OnButtonDown(const Hit& hit, int button, DWORD time) {
    if (hit.where == Hit::Where::Nothing) return false;
    if (!ButtonChooses(button)) return true;
    switch (hit.where) {
        case Hit::Where::Popup: {
            if (hit.index < 0) return true;
            Menu* m = MenuAt(hit.level);
            if (!m) return true;
            if (m->selected != hit.index) Select(hit.level, hit.index, true);
            if ((m = MenuAt(hit.level)) && m->selected == hit.index &&
                FindMenu(m->items[static_cast<std::size_t>(hit.index)].submenu))
                OpenSubmenu(hit.level, false);
            return true;
        }
        case Hit::Where::Bar: {
            Menu* m = MenuAt(0);
            // A press on the open item, or beside the items, closes the menu.
            if (hit.index < 0 || (levels_[0].menu == bar_ && m && m->selected == hit.index && levels_.size() > 1)) {
                End();
                return true;
            }
            SwitchBarLevel(bar_, hit.index, true);
            if (!ended_) OpenSubmenu(0, false);
            return true;
        }
        case Hit::Where::WindowMenuIcon: {
            if (levels_[0].menu == windowMenu_ && levels_.size() > 1) {
                // The second press of a double click on the icon closes the
                // window, as a double click on it does without the menu.
                bool doubleClick = startedOnIcon_ && time - startTime_ <= GetDoubleClickTime();
                HMENU windowMenu = WindowMenuOf(owner_);
                UINT state = GetMenuState(windowMenu, SC_CLOSE, MF_BYCOMMAND);
                if (doubleClick && state != 0xFFFFFFFFu && !(state & MF_GRAYED)) {
                    haveChoice_ = true;
                    choice_ = SC_CLOSE;
                    choiceIsSystem_ = true;
                }
                End();
                return true;
            }
            SwitchBarLevel(windowMenu_, 0, true);
            if (!ended_) OpenSubmenu(0, false);
            return true;
        }
        case Hit::Where::Nothing: return false;
    }
    return true;
}

void MenuTracker::OnButtonUp(const Hit& hit, int button) {
    if (!ButtonChooses(button)) return;
    if (hit.where == Hit::Where::Popup && hit.index >= 0) {
        Menu* m = MenuAt(hit.level);
        if (m && m->selected == hit.index && !FindMenu(m->items[static_cast<std::size_t>(hit.index)].submenu))
            Choose(hit.level, hit.index, true);
        return;
    }
    if (hit.where == Hit::Where::Bar && hit.index >= 0 && levels_[0].menu == bar_) {
        // A bar item without a submenu is chosen where it is released.
        Menu* m = MenuAt(0);
        if (m && m->selected == hit.index && !FindMenu(m->items[static_cast<std::size_t>(hit.index)].submenu))
            Choose(0, hit.index, true);
    }
}

}  // namespace win32::user::menu
