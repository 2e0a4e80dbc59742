// The view of the control: font and metrics, the format rectangle and the
// wrap width, positions on screen, scrolling with the scroll bars,
// invalidation of changed lines and painting.
#include <algorithm>
#include <climits>

#include "platform/gdi/dc.h"
#include "platform/richedit/edit_control.h"

namespace win32::richedit {
namespace {

// Room kept right of the widest line with wrap off, so the caret shows there.
constexpr int kCaretRoom = 2;

COLORREF BrushColor(HBRUSH brush, COLORREF fallback) {
    LOGBRUSH lb{};
    if (brush && GetObjectA(brush, sizeof lb, &lb) == sizeof lb && lb.lbStyle == BS_SOLID) return lb.lbColor;
    return fallback;
}

}  // namespace

void EditControl::ApplyFont(const LOGFONTA& lf) {
    logFont_ = lf;
    if (font_) DeleteObject(font_);
    if (boxFont_) DeleteObject(boxFont_);
    font_ = CreateFontIndirectA(&logFont_);
    LOGFONTA box = logFont_;
    int height = std::abs(static_cast<int>(logFont_.lfHeight));
    if (height == 0) height = 12;
    box.lfHeight = -std::max(6, height * 2 / 3);
    box.lfWidth = 0;
    box.lfWeight = FW_NORMAL;
    box.lfItalic = box.lfUnderline = box.lfStrikeOut = 0;
    boxFont_ = CreateFontIndirectA(&box);
    measurer_.SetFonts(gdi::RealizeFont(logFont_), gdi::RealizeFont(box));
    UpdateMetrics();
    maxWidth_ = -1;
    if (!layout_) return;
    Pos top = layout_->GetDisplayLine(firstLine_).start;
    layout_->FontChanged();
    firstLine_ = layout_->DisplayLineFromPosition(top);
    InvalidateAll();
    UpdateScrollBars();
    if (focused_) {
        CreateCaret(hwnd_, nullptr, overtype_ ? std::max(2, measurer_.AverageCharWidth()) : 1, lineHeight_);
        ShowCaret(hwnd_);
    }
    UpdateCaret();
}

void EditControl::UpdateMetrics() {
    lineHeight_ = std::max(1, static_cast<int>(measurer_.TextFont()->Metrics().tmHeight));
}

void EditControl::UpdateFormatRect() {
    RECT client{0, 0, 0, 0};
    GetClientRect(hwnd_, &client);
    if (!customRect_) {
        formatRect_ = client;
        formatRect_.left = std::min(client.right, client.left + 1);
        if (!IsMultiLine()) {
            // A single line sits in the middle of the control.
            int room = (client.bottom - client.top) - lineHeight_;
            formatRect_.top = client.top + std::max(0, room / 2);
            formatRect_.bottom = formatRect_.top + lineHeight_;
        }
    }
}

int EditControl::WrapWidthNow() const {
    switch (wrap_) {
        case WrapMode::Window: return std::max(1, static_cast<int>(formatRect_.right - formatRect_.left));
        case WrapMode::Fixed: return std::max(1, fixedWidth_);
        case WrapMode::None: break;
    }
    return 0;
}

void EditControl::Rewrap() {
    int width = WrapWidthNow();
    if (width == layout_->WrapWidth()) return;
    Pos top = layout_->GetDisplayLine(firstLine_).start;
    layout_->SetWrapWidth(width);
    firstLine_ = layout_->DisplayLineFromPosition(top);
    if (width > 0) xOffset_ = 0;
    maxWidth_ = -1;
    InvalidateAll();
}

Pos EditControl::VisibleLineCount() const {
    return std::max<Pos>(1, (formatRect_.bottom - formatRect_.top) / lineHeight_);
}

Pos EditControl::DisplayLineOfCaret() {
    Pos dl = layout_->DisplayLineFromPosition(sel_.caret);
    if (caretAtLineEnd_ && dl > 0 && layout_->GetDisplayLine(dl).start == sel_.caret) {
        DisplayLine prev = layout_->GetDisplayLine(dl - 1);
        if (prev.end == sel_.caret) return dl - 1;
    }
    return dl;
}

int EditControl::XInLine(const DisplayLine& line, Pos pos) {
    int result = 0;
    WalkLine(doc_.Store(), line.start, std::min(pos, line.end), measurer_, layout_->TabWidth(),
             [&](Pos, char32_t, Pos, int x, int w) {
                 result = x + w;
                 return true;
             });
    return result;
}

Pos EditControl::PosAtX(const DisplayLine& line, int x) {
    Pos found = line.end;
    WalkLine(doc_.Store(), line.start, line.end, measurer_, layout_->TabWidth(),
             [&](Pos p, char32_t, Pos, int cx, int w) {
                 if (x < cx + (w + 1) / 2) {
                     found = p;
                     return false;
                 }
                 return true;
             });
    return found;
}

int EditControl::LineTop(Pos displayLine) const {
    long long y = formatRect_.top + static_cast<long long>(displayLine - firstLine_) * lineHeight_;
    return static_cast<int>(std::clamp<long long>(y, -0x3FFFFFFF, 0x3FFFFFFF));
}

POINT EditControl::PointOf(Pos pos, bool atLineEnd) {
    pos = std::clamp<Pos>(pos, 0, doc_.Length());
    Pos dl = layout_->DisplayLineFromPosition(pos);
    DisplayLine d = layout_->GetDisplayLine(dl);
    if (atLineEnd && pos == d.start && dl > 0) {
        DisplayLine prev = layout_->GetDisplayLine(dl - 1);
        if (prev.line == d.line) {
            d = prev;
            --dl;
        }
    }
    return POINT{formatRect_.left - xOffset_ + XInLine(d, pos), LineTop(dl)};
}

Pos EditControl::PosAtPoint(POINT pt, bool* atLineEnd) {
    Pos count = layout_->DisplayLineCount();
    long long row = pt.y >= formatRect_.top ? (pt.y - formatRect_.top) / lineHeight_
                                            : -((formatRect_.top - pt.y + lineHeight_ - 1) / lineHeight_);
    Pos dl = static_cast<Pos>(std::clamp<long long>(firstLine_ + row, 0, count - 1));
    DisplayLine d = layout_->GetDisplayLine(dl);
    Pos p = PosAtX(d, pt.x - formatRect_.left + xOffset_);
    if (atLineEnd) {
        *atLineEnd = false;
        if (p == d.end && dl + 1 < count) {
            DisplayLine next = layout_->GetDisplayLine(dl + 1);
            *atLineEnd = next.line == d.line;
        }
    }
    return Snap(p);
}

void EditControl::ScrollTo(Pos first, int x) {
    Pos count = layout_->DisplayLineCount();
    Pos visible = VisibleLineCount();
    first = std::clamp<Pos>(first, 0, std::max<Pos>(0, count - visible));
    if (wrap_ != WrapMode::None) {
        x = 0;
    } else {
        int view = formatRect_.right - formatRect_.left;
        x = std::clamp(x, 0, std::max(0, MaxLineWidth() + kCaretRoom - view));
    }
    if (first == firstLine_ && x == xOffset_) return;
    long long dy = static_cast<long long>(firstLine_ - first) * lineHeight_;
    int dx = xOffset_ - x;
    firstLine_ = first;
    xOffset_ = x;
    int height = formatRect_.bottom - formatRect_.top;
    int width = formatRect_.right - formatRect_.left;
    HideCaret(hwnd_);
    if (std::llabs(dy) < height && std::abs(dx) < width && IsWindowVisible(hwnd_)) {
        ScrollWindowEx(hwnd_, dx, static_cast<int>(dy), &formatRect_, &formatRect_, nullptr, nullptr, SW_INVALIDATE);
    } else {
        InvalidateRect(hwnd_, &formatRect_, FALSE);
    }
    ShowCaret(hwnd_);
    UpdateScrollBars();
    UpdateCaret();
}

void EditControl::ScrollLines(Pos lines) {
    long long target = static_cast<long long>(firstLine_) + lines;
    ScrollTo(static_cast<Pos>(std::clamp<long long>(target, 0, INT_MAX)), xOffset_);
}

bool EditControl::ScrollCaretIntoView() {
    Pos dl = DisplayLineOfCaret();
    Pos visible = VisibleLineCount();
    Pos first = firstLine_;
    if (dl < first) first = dl;
    if (dl >= first + visible) first = dl - visible + 1;
    int x = xOffset_;
    if (wrap_ == WrapMode::None) {
        int view = formatRect_.right - formatRect_.left;
        int cx = PointOf(sel_.caret, caretAtLineEnd_).x - formatRect_.left + xOffset_;
        if (cx < x) x = std::max(0, cx - view / 4);
        if (cx >= x + view - kCaretRoom) x = cx - view + view / 4;
    }
    ScrollTo(first, x);
    return true;
}

int EditControl::MaxLineWidth() {
    if (maxWidth_ >= 0) return maxWidth_;
    const TextStore& s = doc_.Store();
    int widest = 0;
    for (Pos l = 0; l < s.LineCount(); ++l) {
        DisplayLine d{s.LineStart(l), s.LineEnd(l), l};
        widest = std::max(widest, XInLine(d, d.end));
    }
    maxWidth_ = widest;
    return maxWidth_;
}

void EditControl::UpdateScrollBars() {
    if (updatingBars_ || !layout_) return;
    updatingBars_ = true;
    // Each bar shown or hidden changes the client area and so the wrap; a
    // few rounds settle it.
    for (int round = 0; round < 3; ++round) {
        bool toggled = false;
        bool keep = !IsRich() || (style_ & ES_DISABLENOSCROLL);
        DWORD current = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE));
        if (allowedBars_ & WS_VSCROLL) {
            Pos count = layout_->DisplayLineCount();
            Pos visible = VisibleLineCount();
            bool scrollable = count > visible;
            bool want = scrollable || keep;
            if (want != ((current & WS_VSCROLL) != 0)) {
                ShowScrollBar(hwnd_, SB_VERT, want);
                toggled = true;
            }
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, std::max<Pos>(0, count - 1),
                          static_cast<UINT>(visible), firstLine_, 0};
            SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
            if (want) EnableScrollBar(hwnd_, SB_VERT, scrollable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
        }
        if (allowedBars_ & WS_HSCROLL) {
            int view = formatRect_.right - formatRect_.left;
            int width = wrap_ == WrapMode::None ? MaxLineWidth() + kCaretRoom : 0;
            bool scrollable = width > view;
            bool want = scrollable || keep;
            if (want != ((current & WS_HSCROLL) != 0)) {
                ShowScrollBar(hwnd_, SB_HORZ, want);
                toggled = true;
            }
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                          std::max(0, std::max(width, view) - 1), static_cast<UINT>(std::max(0, view)), xOffset_, 0};
            SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
            if (want) EnableScrollBar(hwnd_, SB_HORZ, scrollable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
        }
        if (!toggled) break;
        UpdateFormatRect();
        Rewrap();
    }
    updatingBars_ = false;
}

void EditControl::InvalidateLines(Pos first, Pos last) {
    Pos visibleEnd = firstLine_ + VisibleLineCount();  // one partial line below the last full one
    first = std::max(first, firstLine_);
    last = std::min(last, visibleEnd);
    if (first > last) return;
    RECT client{0, 0, 0, 0};
    GetClientRect(hwnd_, &client);
    RECT r{client.left, std::max(LineTop(first), static_cast<int>(formatRect_.top)), client.right,
           std::min(LineTop(last + 1), static_cast<int>(formatRect_.bottom))};
    if (last >= visibleEnd) r.bottom = formatRect_.bottom;
    if (r.bottom <= r.top) return;
    InvalidateRect(hwnd_, &r, FALSE);
}

void EditControl::InvalidateRange(Pos start, Pos end) {
    InvalidateLines(layout_->DisplayLineFromPosition(start), layout_->DisplayLineFromPosition(end));
}

void EditControl::InvalidateAll() { InvalidateRect(hwnd_, nullptr, FALSE); }

void EditControl::UpdateCaret() {
    if (!focused_) return;
    POINT pt = PointOf(sel_.caret, caretAtLineEnd_);
    if (!composition_.empty()) {
        int w = 0;
        for (char16_t c : composition_) w += measurer_.Advance(c);
        pt.x += w;
    }
    bool inside = pt.y >= formatRect_.top && pt.y < formatRect_.bottom && pt.x >= formatRect_.left - 1 &&
                  pt.x <= formatRect_.right;
    if (!inside) pt = POINT{-0x4000, -0x4000};
    SetCaretPos(pt.x, pt.y);
}

LineStyle EditControl::CurrentStyle(HDC dc) {
    LineStyle style;
    style.font = font_;
    style.boxFont = boxFont_;
    style.lineHeight = lineHeight_;
    style.password = passwordChar_;
    style.selectedText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    style.selectedBack = GetSysColor(COLOR_HIGHLIGHT);
    bool enabled = IsWindowEnabled(hwnd_) != 0;
    if (IsRich()) {
        style.back = systemBack_ ? GetSysColor(COLOR_WINDOW) : backColor_;
        style.text = !enabled ? GetSysColor(COLOR_GRAYTEXT) : autoColor_ ? GetSysColor(COLOR_WINDOWTEXT) : textColor_;
        return style;
    }
    // An edit control asks its parent for the colours.
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    UINT msg = (readOnly_ || !enabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HWND parent = GetParent(hwnd_);
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        parent ? SendMessageA(parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_))
               : DefWindowProcA(hwnd_, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
    style.text = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
    style.back = BrushColor(brush, GetBkColor(dc));
    return style;
}

void EditControl::Paint(HDC dc, const RECT& area) {
    gdi::DcStateSaver saver(dc);
    LineStyle style = CurrentStyle(dc);
    if (!Alive()) return;
    RECT client{0, 0, 0, 0};
    GetClientRect(hwnd_, &client);
    // The margins around the format rectangle.
    {
        COLORREF old = SetBkColor(dc, style.back);
        RECT parts[4] = {{client.left, client.top, client.right, formatRect_.top},
                         {client.left, formatRect_.bottom, client.right, client.bottom},
                         {client.left, formatRect_.top, formatRect_.left, formatRect_.bottom},
                         {formatRect_.right, formatRect_.top, client.right, formatRect_.bottom}};
        for (const RECT& r : parts) {
            RECT cut{};
            if (IntersectRect(&cut, &r, &area)) ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &cut, "", 0, nullptr);
        }
        SetBkColor(dc, old);
    }
    RECT box{};
    if (!IntersectRect(&box, &area, &formatRect_)) return;
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);

    const TextStore& store = doc_.Store();
    bool showSelection = !sel_.Empty() && (focused_ || (style_ & ES_NOHIDESEL)) && !hideSelection_;
    Pos selMin = showSelection ? sel_.Min() : 0;
    Pos selMax = showSelection ? sel_.Max() : 0;
    Pos count = layout_->DisplayLineCount();
    Pos first = firstLine_ + std::max(0, static_cast<int>((box.top - formatRect_.top) / lineHeight_));
    int x = formatRect_.left - xOffset_;
    for (Pos dl = first;; ++dl) {
        int y = LineTop(dl);
        if (y >= box.bottom) break;
        if (dl >= count) {
            COLORREF old = SetBkColor(dc, style.back);
            RECT rest{box.left, y, box.right, box.bottom};
            ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rest, "", 0, nullptr);
            SetBkColor(dc, old);
            break;
        }
        DisplayLine d = layout_->GetDisplayLine(dl);
        LineRun run{d.start, d.end, selMin, selMax, false};
        bool hardBreak = d.end == store.LineEnd(d.line) && d.line + 1 < store.LineCount();
        run.breakSelected = hardBreak && selMin <= d.end && selMax >= d.end + 2;
        DrawLine(dc, store, run, x, y, box.left, box.right, measurer_, layout_->TabWidth(), style);
    }

    // Text being composed stands at the caret, underlined, over what follows.
    if (!composition_.empty() && focused_) {
        POINT at = PointOf(sel_.caret, caretAtLineEnd_);
        int w = 0;
        for (char16_t c : composition_) w += measurer_.Advance(c);
        COLORREF old = SetBkColor(dc, style.back);
        RECT r{at.x, at.y, at.x + w, at.y + lineHeight_};
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr);
        SetBkColor(dc, old);
        SelectObject(dc, font_);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, style.text);
        std::string utf8 = text::Utf16ToUtf8(composition_);
        TextOutA(dc, at.x, at.y, utf8.data(), static_cast<int>(utf8.size()));
        RECT line{at.x, at.y + lineHeight_ - 1, at.x + w, at.y + lineHeight_};
        SetBkColor(dc, style.text);
        ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &line, "", 0, nullptr);
    }
}

}  // namespace win32::richedit
