// The list box's look and geometry: rows from the top index down, the
// selection in the highlight colours, the focus rectangle on the caret
// item, owner-drawn rows, the vertical scroll bar and whole-row heights.
#include <algorithm>

#include "platform/user/list_box.h"

namespace win32::user::controls {

// ---- Geometry -------------------------------------------------------------------

RECT ListBox::ItemRect(int index) const {
    RECT client;
    GetClientRect(Window(), &client);
    int y = 0;
    if (index >= top_) {
        for (int i = top_; i < index; ++i) y += ItemHeight(i);
    } else {
        for (int i = index; i < top_; ++i) y -= ItemHeight(i);
    }
    return RECT{0, y, client.right, y + ItemHeight(index)};
}

int ListBox::PageSize() const {
    RECT client;
    GetClientRect(Window(), &client);
    if (!Variable()) return std::max(1, static_cast<int>(client.bottom) / std::max(1, itemHeight_));
    int rows = 0, y = 0;
    for (int i = top_; i < Count(); ++i) {
        y += ItemHeight(i);
        if (y > client.bottom) break;
        ++rows;
    }
    return std::max(1, rows);
}

int ListBox::MaxTop() const {
    if (!Variable()) return std::max(0, Count() - PageSize());
    RECT client;
    GetClientRect(Window(), &client);
    int y = 0, top = Count();
    while (top > 0 && y + ItemHeight(top - 1) <= client.bottom) y += ItemHeight(--top);
    return std::min(top, std::max(0, Count() - 1));
}

int ListBox::HeightForRows(int rows) const {
    if (!Variable()) return rows * itemHeight_;
    int h = 0;
    for (int i = 0; i < rows && i < Count(); ++i) h += ItemHeight(i);
    return h;
}

void ListBox::EnsureVisible(int index, bool partialOk) {
    if (index < 0 || index >= Count()) return;
    int top = top_;
    RECT client;
    GetClientRect(Window(), &client);
    if (index < top) {
        top = index;
    } else if (!Variable()) {
        int page = PageSize();
        bool shown = partialOk ? (index - top) * itemHeight_ < client.bottom : index < top + page;
        if (!shown) top = index - page + 1;
    } else {
        auto bottomOf = [&](int t) {
            int y = 0;
            for (int i = t; i <= index; ++i) y += ItemHeight(i);
            return y;
        };
        while (top < index && bottomOf(top) > client.bottom) ++top;
    }
    top = std::clamp(top, 0, MaxTop());
    if (top != top_) {
        top_ = top;
        UpdateScrollBar();
        Invalidate();
    }
}

LRESULT ListBox::SetTopIndex(int index) {
    if (index < 0 || (index >= Count() && Count() > 0)) return LB_ERR;
    int top = std::min(index, MaxTop());
    if (top != top_) {
        top_ = top;
        UpdateScrollBar();
        Invalidate();
    }
    return LB_OKAY;
}

LRESULT ListBox::GetItemRect(int index, RECT* rect) const {
    if (!rect || index < 0 || (index >= Count() && !(index == 0 && Count() == 0))) return LB_ERR;
    *rect = ItemRect(index);
    return LB_OKAY;
}

LRESULT ListBox::ItemFromPoint(POINT pt) const {
    RECT client;
    GetClientRect(Window(), &client);
    if (Count() == 0) return MAKELONG(0, 1);
    bool outside = !PtInRect(&client, pt);
    int index = top_;
    if (pt.y < 0) {
        index = top_;
    } else {
        int y = 0;
        index = Count() - 1;
        for (int i = top_; i < Count(); ++i) {
            y += ItemHeight(i);
            if (pt.y < y) {
                index = i;
                break;
            }
            if (i == Count() - 1) outside = true;  // below the last item
        }
    }
    return MAKELONG(static_cast<WORD>(index), outside ? 1 : 0);
}

// ---- Scrolling and size -----------------------------------------------------------

void ListBox::UpdateScrollBar() {
    if (!vscroll_ || scrolling_ || !Alive()) return;
    scrolling_ = true;
    HWND self = Window();
    const bool needed = MaxTop() > 0;
    const bool keep = (Style() & LBS_DISABLENOSCROLL) != 0;
    if (needed || keep) {
        ShowScrollBar(self, SB_VERT, TRUE);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, Count() - 1),
                      static_cast<UINT>(PageSize()), top_, 0};
        if (keep) si.fMask |= SIF_DISABLENOSCROLL;
        SetScrollInfo(self, SB_VERT, &si, TRUE);
        EnableScrollBar(self, SB_VERT, needed ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
    } else {
        ShowScrollBar(self, SB_VERT, FALSE);
    }
    scrolling_ = false;
}

void ListBox::FitIntegralHeight() {
    if ((Style() & LBS_NOINTEGRALHEIGHT) || Variable() || fitting_ || itemHeight_ <= 0) return;
    RECT window, client;
    GetWindowRect(Window(), &window);
    GetClientRect(Window(), &client);
    const int frame = (window.bottom - window.top) - client.bottom;
    const int wantedClient = requestedHeight_ - frame;
    const int rows = wantedClient / itemHeight_;
    if (rows < 1) return;
    const int height = rows * itemHeight_ + frame;
    if (height == window.bottom - window.top) return;
    fitting_ = true;
    SetWindowPos(Window(), nullptr, 0, 0, window.right - window.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitting_ = false;
}

LRESULT ListBox::OnSize() {
    if (!fitting_ && !scrolling_) {
        RECT window;
        GetWindowRect(Window(), &window);
        requestedHeight_ = window.bottom - window.top;
        FitIntegralHeight();
    }
    top_ = std::min(top_, MaxTop());
    UpdateScrollBar();
    Invalidate();
    return 0;
}

LRESULT ListBox::OnVScroll(int code, int thumb) {
    int top = top_;
    const int page = PageSize();
    switch (code) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= page; break;
        case SB_PAGEDOWN: top += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = thumb; break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = MaxTop(); break;
        default: return 0;
    }
    top = std::clamp(top, 0, MaxTop());
    if (top != top_) {
        top_ = top;
        UpdateScrollBar();
        Invalidate();
    }
    return 0;
}

LRESULT ListBox::OnSetFont(HFONT font, BOOL redraw) {
    SetFont(font);
    if (!OwnerDraw()) MeasureFixedHeight();
    FitIntegralHeight();
    top_ = std::min(top_, MaxTop());
    UpdateScrollBar();
    if (redraw) Invalidate();
    return 0;
}

// ---- Painting ---------------------------------------------------------------------

void ListBox::PaintItem(HDC dc, int index, const RECT& rect, HBRUSH background) {
    const Item& item = items_[static_cast<std::size_t>(index)];
    const bool selected = MultiSel() ? item.selected : index == selected_;
    const bool enabled = IsWindowEnabled(Window()) != FALSE;
    COLORREF oldText = GetTextColor(dc);
    if (selected) {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        FillRect(dc, &rect, background);
        if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    }
    RECT text = rect;
    text.left += 2;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;
    if (Style() & LBS_USETABSTOPS) format |= DT_EXPANDTABS;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text, format);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldText);
}

void ListBox::DrawOwnerItem(HDC dc, int index, const RECT& rect, UINT action) {
    Owner o = OwnerOf();
    if (!o.window) return;
    const Item& item = items_[static_cast<std::size_t>(index)];
    DRAWITEMSTRUCT dis{};
    dis.CtlType = o.type;
    dis.CtlID = o.id;
    dis.itemID = static_cast<UINT>(index);
    dis.itemAction = action;
    if (MultiSel() ? item.selected : index == selected_) dis.itemState |= ODS_SELECTED;
    if (focused_ && index == std::max(caret_, 0)) dis.itemState |= ODS_FOCUS;
    if (!IsWindowEnabled(Window())) dis.itemState |= ODS_DISABLED;
    dis.hwndItem = o.item;
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = item.data;
    SendMessageA(o.window, WM_DRAWITEM, o.id, reinterpret_cast<LPARAM>(&dis));
}

LRESULT ListBox::OnPaint(HDC given) {
    PAINTSTRUCT ps{};
    HDC dc = given ? given : BeginPaint(Window(), &ps);
    if (!dc) return 0;
    RECT client;
    GetClientRect(Window(), &client);
    HBRUSH brush = ControlColor(dc, WM_CTLCOLORLISTBOX);
    if (!brush) brush = GetSysColorBrush(COLOR_WINDOW);
    FontScope font(dc, Font());
    int y = 0;
    for (int i = top_; i < Count() && y < client.bottom && Alive(); ++i) {
        RECT r{0, y, client.right, y + ItemHeight(i)};
        if (OwnerDraw()) DrawOwnerItem(dc, i, r, ODA_DRAWENTIRE);
        else PaintItem(dc, i, r, brush);
        y = r.bottom;
    }
    if (y < client.bottom) {
        RECT rest{0, y, client.right, client.bottom};
        FillRect(dc, &rest, brush);
    }
    if (focused_ && !OwnerDraw() && Alive()) {
        RECT focus = Count() == 0 ? RECT{0, 0, client.right, itemHeight_} : ItemRect(std::max(caret_, 0));
        if (focus.bottom > 0 && focus.top < client.bottom) DrawFocusRect(dc, &focus);
    }
    if (!given) EndPaint(Window(), &ps);
    return 0;
}

}  // namespace win32::user::controls
