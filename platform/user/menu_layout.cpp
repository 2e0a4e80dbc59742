// Measuring menu items and laying out pop-up menus and menu bars.
#include "platform/user/menu_layout.h"

#include <algorithm>

#include "platform/gdi/wingdi.h"
#include "platform/user/frame_layout.h"

namespace win32::user::menu {
namespace {

constexpr int kBreakGap = 4;     // between columns split by MFT_MENUBREAK
constexpr int kBarBreakGap = 6;  // between columns split by MFT_MENUBARBREAK (with a line)

std::string CaptionPart(const std::string& text) {
    std::size_t tab = text.find('\t');
    return tab == std::string::npos ? text : text.substr(0, tab);
}

std::string ShortcutPart(const std::string& text) {
    std::size_t tab = text.find('\t');
    return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || GetObjectA(bitmap, sizeof(bm), &bm) != sizeof(bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

void MeasurePlain(HDC dc, MenuItem& item, bool bar) {
    item.textWidth = item.shortcutWidth = 0;
    if (item.IsSeparator()) {
        item.size = SIZE{0, bar ? metrics::BarRowHeight() : metrics::SeparatorHeight()};
    } else if (item.type & MFT_BITMAP) {
        SIZE b = BitmapSize(item.bitmap);
        item.textWidth = b.cx;
        item.size = SIZE{b.cx, std::max<LONG>(b.cy + 2, metrics::TextItemHeight())};
    } else {
        bool bold = (item.state & MFS_DEFAULT) != 0;
        SIZE caption = MenuTextExtent(dc, CaptionPart(item.text), bold);
        SIZE shortcut = MenuTextExtent(dc, ShortcutPart(item.text), bold);
        item.textWidth = caption.cx;
        item.shortcutWidth = shortcut.cx;
        item.size = SIZE{caption.cx, std::max<LONG>(caption.cy + 4, metrics::TextItemHeight())};
    }
    item.measured = true;
}

// Measures the items of `menu` that need it; owner-drawn items ask
// `owner`. The owner may change the menu while it answers, so every item is
// found again after the message.
void MeasureItems(HMENU menu, HWND owner, bool bar) {
    HDC dc = GetDC(nullptr);
    for (std::size_t i = 0;; ++i) {
        Menu* m = FindMenu(menu);
        if (!m || i >= m->items.size()) break;
        MenuItem& item = m->items[i];
        if (item.measured) continue;
        if (!item.IsOwnerDraw()) {
            MeasurePlain(dc, item, bar);
            continue;
        }
        MEASUREITEMSTRUCT mis{};
        mis.CtlType = ODT_MENU;
        mis.itemID = item.id;
        mis.itemHeight = static_cast<UINT>(metrics::TextItemHeight());
        mis.itemData = item.data;
        UINT id = item.id;
        ULONG_PTR data = item.data;
        if (owner && IsWindow(owner)) SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        m = FindMenu(menu);
        if (!m || i >= m->items.size()) break;
        MenuItem& again = m->items[i];
        if (again.id != id || again.data != data || !again.IsOwnerDraw()) continue;
        again.size = SIZE{static_cast<LONG>(std::min<UINT>(mis.itemWidth, 0x7FFF)),
                          static_cast<LONG>(std::min<UINT>(mis.itemHeight, 0x7FFF))};
        again.measured = true;
    }
    if (dc) ReleaseDC(nullptr, dc);
}

int PlainPopupWidth(const MenuItem& item, int shortcutColumn) {
    if (item.IsSeparator()) return metrics::CheckColumn() + metrics::ArrowColumn();
    int width = metrics::CheckColumn() + item.textWidth + metrics::ArrowColumn();
    if (shortcutColumn > 0) width += metrics::ShortcutGap() + shortcutColumn;
    return width;
}

}  // namespace

SIZE MenuTextExtent(HDC dc, const std::string& text, bool bold) {
    if (!dc) return SIZE{0, 0};
    HGDIOBJ old = SelectObject(dc, Menus().Font(bold));
    RECT r{0, 0, 0, 0};
    if (text.empty()) {
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        r.bottom = tm.tmHeight;
    } else {
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    }
    if (old) SelectObject(dc, old);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE LayoutPopup(HMENU menu, HWND owner, int maxHeight) {
    MeasureItems(menu, owner, false);
    Menu* m = FindMenu(menu);
    if (!m) return SIZE{0, 0};
    if (m->maxHeight > 0 && static_cast<int>(m->maxHeight) < maxHeight) maxHeight = static_cast<int>(m->maxHeight);

    // Columns first: where each starts, then the widths of their parts.
    struct Column {
        std::size_t first;
        std::size_t end;
        int gap;  // space before the column
    };
    std::vector<Column> columns;
    int y = 0;
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& item = m->items[i];
        bool breaks = i > 0 && (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK));
        bool full = i > 0 && y > 0 && y + item.size.cy > maxHeight;
        if (columns.empty() || breaks || full) {
            int gap = columns.empty() ? 0 : (item.type & MFT_MENUBARBREAK) ? kBarBreakGap : kBreakGap;
            columns.push_back(Column{i, i, gap});
            y = 0;
        }
        columns.back().end = i + 1;
        y += item.size.cy;
    }
    int x = 0, height = 0;
    for (const Column& c : columns) {
        x += c.gap;
        int shortcutColumn = 0;
        for (std::size_t i = c.first; i < c.end; ++i) shortcutColumn = std::max(shortcutColumn, m->items[i].shortcutWidth);
        int width = 0;
        for (std::size_t i = c.first; i < c.end; ++i) {
            const MenuItem& item = m->items[i];
            width = std::max(width, item.IsOwnerDraw() ? static_cast<int>(item.size.cx) : PlainPopupWidth(item, shortcutColumn));
        }
        int top = 0;
        for (std::size_t i = c.first; i < c.end; ++i) {
            MenuItem& item = m->items[i];
            item.rect = RECT{x, top, x + width, top + item.size.cy};
            top += item.size.cy;
        }
        height = std::max(height, top);
        x += width;
    }
    m->size = SIZE{x, height};
    m->layoutValid = true;
    return m->size;
}

int LayoutBar(HMENU menu, HWND hwnd, int width) {
    Menu* m = FindMenu(menu);
    if (!m) return 0;
    if (m->layoutValid && m->layoutWidth == width) return m->rows;
    MeasureItems(menu, hwnd, true);
    if (!(m = FindMenu(menu))) return 0;
    int rowHeight = metrics::BarRowHeight();
    int pad = metrics::BarItemPadding();
    int x = 0, row = 0;
    std::size_t rowStart = 0;
    std::vector<std::pair<std::size_t, std::size_t>> rightParts;  // right-justified run of each row
    std::size_t justify = m->items.size();
    auto endRow = [&](std::size_t end) {
        if (justify < end) rightParts.emplace_back(justify, end);
        justify = m->items.size();
    };
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& item = m->items[i];
        int w = static_cast<int>(item.IsOwnerDraw() ? item.size.cx : item.textWidth) + 2 * pad;
        bool breaks = i > 0 && (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK));
        if (i > rowStart && (breaks || x + w > width)) {
            endRow(i);
            ++row;
            x = 0;
            rowStart = i;
        }
        if ((item.type & MFT_RIGHTJUSTIFY) && justify == m->items.size()) justify = i;
        item.rect = RECT{x, row * rowHeight, x + w, (row + 1) * rowHeight};
        x += w;
    }
    endRow(m->items.size());
    // Items from a right-justified one on sit at the right end of their row.
    for (auto [from, to] : rightParts) {
        int shift = width - m->items[to - 1].rect.right;
        if (shift <= 0) continue;
        for (std::size_t i = from; i < to; ++i) OffsetRect(&m->items[i].rect, shift, 0);
    }
    m->rows = m->items.empty() ? 0 : row + 1;
    m->size = SIZE{width, m->rows * rowHeight};
    m->layoutValid = true;
    m->layoutWidth = width;
    return m->rows;
}

BarPlace BarOf(HWND hwnd) {
    BarPlace place;
    Window* w = Wm().Find(hwnd);
    if (!w || (w->style & WS_CHILD) || !w->id) return place;
    HMENU menu = reinterpret_cast<HMENU>(w->id);
    if (!FindMenu(menu)) return place;
    FrameLayout f = ComputeFrameLayout(w);
    if (IsRectEmptyValue(f.menuBar)) return place;
    place.menu = menu;
    place.rect = f.menuBar;
    return place;
}

bool ItemScreenRect(HWND hwnd, HMENU menu, int index, RECT& out) {
    Menu* m = FindMenu(menu);
    if (!m || index < 0 || index >= static_cast<int>(m->items.size())) return false;
    if (Window* popup = Wm().Find(m->popupWindow)) {
        if (!m->layoutValid) return false;
        POINT o = ClientOrigin(popup);
        out = m->items[static_cast<std::size_t>(index)].rect;
        OffsetRect(&out, o.x, o.y);
        return true;
    }
    BarPlace bar = BarOf(hwnd);
    if (bar.menu != menu) return false;
    Window* w = Wm().Find(hwnd);
    if (!(m = FindMenu(menu)) || !w || !m->layoutValid) return false;
    POINT o = WindowOrigin(w);
    out = m->items[static_cast<std::size_t>(index)].rect;
    OffsetRect(&out, o.x + bar.rect.left, o.y + bar.rect.top);
    return true;
}

int ItemAtScreenPoint(HWND hwnd, HMENU menu, POINT pt) {
    Menu* m = FindMenu(menu);
    if (!m) return -1;
    for (int i = 0; i < static_cast<int>(m->items.size()); ++i) {
        RECT r;
        if (!ItemScreenRect(hwnd, menu, i, r)) return -1;
        if (PtInRect(&r, pt)) return i;
        if (!(m = FindMenu(menu))) return -1;
    }
    return -1;
}

}  // namespace win32::user::menu
