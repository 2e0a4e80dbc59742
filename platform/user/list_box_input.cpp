// The list box's keyboard and mouse: arrows, Home, End and the page keys
// move the caret (and with it the selection as the selection style says),
// typing a prefix finds an item, the mouse selects with capture and by
// dragging, and the parent may take keys first (LBS_WANTKEYBOARDINPUT).
#include <algorithm>

#include "platform/user/list_box.h"

namespace win32::user::controls {

namespace {

WPARAM ModifierKeys() {
    WPARAM keys = 0;
    if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
    return keys;
}

void AppendUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Typed characters further apart than this start a new prefix.
constexpr LONG kTypeAheadMs = 1000;

constexpr UINT_PTR kDragTimerId = 0x4C42;
constexpr UINT kDragRepeatMs = 50;

}  // namespace

LRESULT ListBox::OnKeyDown(WPARAM key) {
    HWND self = Window();
    if (Style() & LBS_WANTKEYBOARDINPUT) {
        Owner o = OwnerOf();
        if (o.window) {
            LRESULT r = SendMessageA(o.window, WM_VKEYTOITEM,
                                     MAKEWPARAM(static_cast<WORD>(key), static_cast<WORD>(std::max(caret_, 0))),
                                     reinterpret_cast<LPARAM>(self));
            if (!Alive() || r == -2) return 0;
            if (r >= 0 && r < Count()) {
                KeyboardMove(static_cast<int>(r), 0);
                return 0;
            }
        }
    }
    const int n = Count();
    if (n == 0 || NoSel()) return 0;
    const int cur = caret_ < 0 ? -1 : caret_;
    const int page = std::max(1, PageSize() - 1);
    const WPARAM keys = ModifierKeys();
    int target;
    switch (key) {
        case VK_UP:
        case VK_LEFT: target = cur < 0 ? 0 : cur - 1; break;
        case VK_DOWN:
        case VK_RIGHT: target = cur + 1; break;
        case VK_HOME: target = 0; break;
        case VK_END: target = n - 1; break;
        case VK_PRIOR: target = cur < 0 ? 0 : cur - page; break;
        case VK_NEXT: target = cur < 0 ? 0 : cur + page; break;
        case VK_SPACE:
            if (MultiSel() && cur >= 0) {
                const bool toggle = !ExtendedSel() || (keys & MK_CONTROL);
                bool changed;
                if (toggle) {
                    changed = MarkRange(cur, cur, !items_[static_cast<std::size_t>(cur)].selected);
                } else {
                    changed = SelectOnly(cur);
                }
                anchor_ = cur;
                if (changed) SelectionChangedByUser();
            }
            return 0;
        default: return 0;
    }
    KeyboardMove(std::clamp(target, 0, n - 1), keys);
    return 0;
}

void ListBox::KeyboardMove(int index, WPARAM keys) {
    if (index < 0 || index >= Count()) return;
    bool changed = false;
    if (!MultiSel()) {
        changed = selected_ != index;
        Select(index);
    } else if (!ExtendedSel() || (keys & MK_CONTROL && !(keys & MK_SHIFT))) {
        // LBS_MULTIPLESEL (and Ctrl in extended lists) moves only the caret.
    } else if (keys & MK_SHIFT) {
        if (anchor_ < 0) anchor_ = caret_ < 0 ? index : caret_;
        int lo = std::min(anchor_, index), hi = std::max(anchor_, index);
        for (int i = 0; i < Count(); ++i) changed |= MarkRange(i, i, i >= lo && i <= hi);
    } else {
        anchor_ = index;
        changed = SelectOnly(index);
    }
    SetCaret(index);
    EnsureVisible(index);
    if (changed && Alive()) SelectionChangedByUser();
}

LRESULT ListBox::OnChar(WPARAM ch) {
    HWND self = Window();
    if ((Style() & LBS_WANTKEYBOARDINPUT) && !HasStrings()) {
        Owner o = OwnerOf();
        if (o.window) {
            LRESULT r = SendMessageA(o.window, WM_CHARTOITEM,
                                     MAKEWPARAM(static_cast<WORD>(ch), static_cast<WORD>(std::max(caret_, 0))),
                                     reinterpret_cast<LPARAM>(self));
            if (!Alive() || r == -2) return 0;
            if (r >= 0 && r < Count()) KeyboardMove(static_cast<int>(r), 0);
        }
        return 0;
    }
    if (!HasStrings() || ch < 0x20 || NoSel()) return 0;
    if (ch == ' ' && MultiSel()) return 0;  // the space bar's key press toggled already
    int found = PrefixSearch(static_cast<char32_t>(ch));
    if (found >= 0) KeyboardMove(found, 0);
    return 0;
}

int ListBox::PrefixSearch(char32_t ch) {
    const LONG now = GetMessageTime();
    if (typed_.empty() || now - typedAt_ > kTypeAheadMs) typed_.clear();
    typedAt_ = now;
    AppendUtf8(typed_, ch);
    // The same key again and again steps through the items starting with
    // it; a longer prefix may still match the current item.
    std::string one;
    AppendUtf8(one, ch);
    bool repeated = true;
    for (std::size_t i = 0; i + one.size() <= typed_.size(); i += one.size()) {
        if (typed_.compare(i, one.size(), one) != 0) repeated = false;
    }
    const std::string& wanted = repeated ? one : typed_;
    int start = repeated ? caret_ : caret_ - 1;
    if (start < -1) start = -1;
    LRESULT found = FindString(start, reinterpret_cast<LPARAM>(wanted.c_str()), false);
    return found == LB_ERR ? -1 : static_cast<int>(found);
}

void ListBox::TakeFocus() {
    if (GetFocus() != Window()) SetFocus(Window());
}

LRESULT ListBox::OnLButtonDown(WPARAM keys, POINT pt, bool doubleClick) {
    HWND self = Window();
    TakeFocus();
    if (!Alive()) return 0;
    LRESULT hit = ItemFromPoint(pt);
    if (Count() == 0 || HIWORD(hit)) return 0;
    tracking_ = true;
    trackingMoved_ = false;
    SetCapture(self);
    if (!NoSel()) MouseSelect(LOWORD(hit), keys, true);
    if (doubleClick && Alive() && (Style() & LBS_NOTIFY)) Notify(LBN_DBLCLK);
    return 0;
}

void ListBox::MouseSelect(int index, WPARAM keys, bool first) {
    if (index < 0 || index >= Count()) return;
    bool changed = false;
    if (!MultiSel()) {
        Select(index);
        changed = true;  // a press on the selected item tells the parent too
    } else if (!ExtendedSel()) {
        if (first) changed = MarkRange(index, index, !items_[static_cast<std::size_t>(index)].selected);
    } else if (first && (keys & MK_CONTROL) && !(keys & MK_SHIFT)) {
        const bool select = !items_[static_cast<std::size_t>(index)].selected;
        deselecting_ = !select;
        changed = MarkRange(index, index, select);
        anchor_ = index;
    } else if (first && !(keys & MK_SHIFT)) {
        anchor_ = index;
        deselecting_ = false;
        changed = SelectOnly(index);
    } else {
        if (anchor_ < 0) anchor_ = index;
        int lo = std::min(anchor_, index), hi = std::max(anchor_, index);
        if (keys & MK_CONTROL) {
            changed = MarkRange(lo, hi, !deselecting_);
        } else {
            for (int i = 0; i < Count(); ++i) changed |= MarkRange(i, i, i >= lo && i <= hi);
        }
    }
    SetCaret(index);
    EnsureVisible(index);
    trackingMoved_ |= changed;
}

LRESULT ListBox::OnMouseMove(WPARAM keys, POINT pt) {
    if (!tracking_ || GetCapture() != Window() || Count() == 0) return 0;
    RECT client;
    GetClientRect(Window(), &client);
    if (pt.y < 0 || pt.y >= client.bottom) {
        dragPoint_ = pt;
        dragKeys_ = keys;
        if (!dragTimer_) dragTimer_ = SetTimer(Window(), kDragTimerId, kDragRepeatMs, nullptr) != 0;
    } else {
        StopDragTimer();
    }
    int index;
    // Dragging past the top or bottom scrolls a row at a time.
    if (pt.y < 0) index = top_ - 1;
    else if (pt.y >= client.bottom) index = top_ + PageSize();
    else index = LOWORD(ItemFromPoint(pt));
    index = std::clamp(index, 0, Count() - 1);
    if (index == caret_ || NoSel()) return 0;
    if (MultiSel() && !ExtendedSel()) {
        SetCaret(index);
        EnsureVisible(index);
        return 0;
    }
    MouseSelect(index, keys | (ExtendedSel() ? MK_SHIFT : 0), false);
    return 0;
}

void ListBox::StopDragTimer() {
    if (!dragTimer_) return;
    dragTimer_ = false;
    KillTimer(Window(), kDragTimerId);
}

LRESULT ListBox::OnDragTimer(UINT_PTR id) {
    if (id != kDragTimerId) return 0;
    if (!tracking_ || GetCapture() != Window()) {
        StopDragTimer();
        return 0;
    }
    return OnMouseMove(dragKeys_, dragPoint_);
}

LRESULT ListBox::OnLButtonUp() {
    StopDragTimer();
    if (!tracking_) return 0;
    tracking_ = false;
    if (GetCapture() == Window()) ReleaseCapture();
    if (trackingMoved_ && Alive()) SelectionChangedByUser();
    trackingMoved_ = false;
    return 0;
}

LRESULT ListBox::OnCaptureChanged() {
    StopDragTimer();
    tracking_ = false;
    return 0;
}

LRESULT ListBox::OnSetFocus() {
    focused_ = true;
    Invalidate();
    Notify(LBN_SETFOCUS);
    return 0;
}

LRESULT ListBox::OnKillFocus() {
    focused_ = false;
    StopDragTimer();
    if (tracking_) {
        tracking_ = false;
        if (GetCapture() == Window()) ReleaseCapture();
    }
    if (!Alive()) return 0;
    Invalidate();
    Notify(LBN_KILLFOCUS);
    return 0;
}

LRESULT ListBox::OnMouseWheel(short delta) {
    int rows = -delta / WHEEL_DELTA * 3;
    if (rows != 0) SetTopIndex(std::clamp(top_ + rows, 0, std::max(0, Count() - 1)));
    return 0;
}

}  // namespace win32::user::controls
