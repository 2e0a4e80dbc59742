// The list box's selection: one item, or any number (LBS_MULTIPLESEL and
// LBS_EXTENDEDSEL), the caret item with the focus rectangle, and the
// anchor where a Shift range starts.
#include <algorithm>

#include "platform/user/list_box.h"

namespace win32::user::controls {

void ListBox::Select(int index) {
    if (index < -1 || index >= Count()) return;
    if (MultiSel()) {
        SelectOnly(index);
        if (index >= 0) SetCaret(index);
        return;
    }
    if (selected_ != index) {
        selected_ = index;
        Invalidate();
    }
    if (index >= 0) SetCaret(index);
}

void ListBox::SetCaret(int index) {
    if (caret_ == index) return;
    caret_ = index;
    Invalidate();
}

bool ListBox::MarkRange(int first, int last, bool select) {
    if (first > last) std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    bool changed = false;
    for (int i = first; i <= last; ++i) {
        Item& item = items_[static_cast<std::size_t>(i)];
        if (item.selected != select) {
            item.selected = select;
            changed = true;
        }
    }
    if (changed) Invalidate();
    return changed;
}

bool ListBox::SelectOnly(int index) {
    bool changed = false;
    for (int i = 0; i < Count(); ++i) {
        Item& item = items_[static_cast<std::size_t>(i)];
        bool want = i == index;
        if (item.selected != want) {
            item.selected = want;
            changed = true;
        }
    }
    if (changed) Invalidate();
    return changed;
}

LRESULT ListBox::SetCurSel(int index) {
    if (MultiSel()) return LB_ERR;
    if (index < -1 || index >= Count()) return LB_ERR;
    Select(index);
    if (index < 0) return LB_ERR;  // no selection is not an index
    EnsureVisible(index);
    return index;
}

LRESULT ListBox::GetCurSel() const {
    if (MultiSel()) return Count() == 0 ? LB_ERR : std::max(caret_, 0);
    return selected_ < 0 ? LB_ERR : selected_;
}

LRESULT ListBox::SetSel(bool select, int index) {
    if (!MultiSel()) return LB_ERR;
    if (index == -1) {
        MarkRange(0, Count() - 1, select);
        return LB_OKAY;
    }
    if (index < 0 || index >= Count()) return LB_ERR;
    MarkRange(index, index, select);
    return LB_OKAY;
}

LRESULT ListBox::GetSel(int index) const {
    if (index < 0 || index >= Count()) return LB_ERR;
    if (!MultiSel()) return index == selected_ ? 1 : 0;
    return items_[static_cast<std::size_t>(index)].selected ? 1 : 0;
}

LRESULT ListBox::GetSelCount() const {
    if (!MultiSel()) return LB_ERR;
    return std::count_if(items_.begin(), items_.end(), [](const Item& i) { return i.selected; });
}

LRESULT ListBox::GetSelItems(int max, int* out) const {
    if (!MultiSel()) return LB_ERR;
    if (!out || max <= 0) return 0;
    int n = 0;
    for (int i = 0; i < Count() && n < max; ++i) {
        if (items_[static_cast<std::size_t>(i)].selected) out[n++] = i;
    }
    return n;
}

LRESULT ListBox::SelItemRange(bool select, int first, int last) {
    if (!MultiSel()) return LB_ERR;
    if (Count() == 0 || std::min(first, last) >= Count()) return LB_OKAY;
    MarkRange(first, last, select);
    return LB_OKAY;
}

LRESULT ListBox::SetCaretIndex(int index, bool partial) {
    if (index < 0 || index >= Count()) return LB_ERR;
    SetCaret(index);
    EnsureVisible(index, partial);
    return LB_OKAY;
}

LRESULT ListBox::SetAnchorIndex(int index) {
    if (index < 0 || index >= Count()) return LB_ERR;
    anchor_ = index;
    return LB_OKAY;
}

}  // namespace win32::user::controls
