// Keyboard, mouse, focus and input-method handling of the control.
#include <algorithm>
#include <climits>

#include "platform/richedit/edit_control.h"
#include "platform/richedit/word_break.h"

namespace win32::richedit {
namespace {

constexpr UINT_PTR kAutoScrollTimer = 0xED1;
constexpr UINT kAutoScrollInterval = 50;

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The position one character before or after, a CR LF and a surrogate pair
// counting as one.
Pos PreviousChar(const TextStore& t, Pos p) {
    if (p <= 0) return 0;
    if (p >= 2) {
        char16_t a = t.CharAt(p - 2);
        char16_t b = t.CharAt(p - 1);
        if ((a == u'\r' && b == u'\n') || (IsHigh(a) && IsLow(b))) return p - 2;
    }
    return p - 1;
}

Pos NextChar(const TextStore& t, Pos p) {
    if (p >= t.Length()) return t.Length();
    if (p + 1 < t.Length()) {
        char16_t a = t.CharAt(p);
        char16_t b = t.CharAt(p + 1);
        if ((a == u'\r' && b == u'\n') || (IsHigh(a) && IsLow(b))) return p + 2;
    }
    return p + 1;
}

bool KeyDown(int vk) { return GetKeyState(vk) < 0; }

}  // namespace

// ---- Keyboard ----------------------------------------------------------------------

LRESULT EditControl::OnKeyDown(UINT vk, LPARAM) {
    bool shift = KeyDown(VK_SHIFT);
    bool control = KeyDown(VK_CONTROL);
    if (KeyDown(VK_MENU)) return 0;
    const TextStore& t = doc_.Store();
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
            MoveCaret(vk, shift, control);
            return 0;
        case VK_DELETE:
            if (shift) {
                Cut();
                return 0;
            }
            if (!CanEdit()) {
                MessageBeep(0);
                return 0;
            }
            if (!sel_.Empty()) {
                Clear();
            } else if (sel_.caret < t.Length()) {
                Pos end = control ? NextWordStart(t, sel_.caret) : NextChar(t, sel_.caret);
                Replace(Edit{sel_.caret, end, u"", EditKind::Other});
            }
            return 0;
        case VK_INSERT:
            if (control) {
                Copy();
            } else if (shift) {
                Paste();
            } else {
                overtype_ = !overtype_;
                if (focused_) {
                    CreateCaret(hwnd_, nullptr, overtype_ ? std::max(2, measurer_.AverageCharWidth()) : 1,
                                lineHeight_);
                    UpdateCaret();
                    ShowCaret(hwnd_);
                }
            }
            return 0;
        default:
            break;
    }
    if (!control || shift) return 0;
    switch (vk) {
        case 'Z': Undo(); break;
        case 'Y':
            if (IsRich()) Redo();
            break;
        case 'X': Cut(); break;
        case 'C': Copy(); break;
        case 'V': Paste(); break;
        case 'A': Select(0, doc_.Length()); break;
        default: break;
    }
    return 0;
}

bool EditControl::MoveCaret(UINT vk, bool shift, bool control) {
    const TextStore& t = doc_.Store();
    Pos p = sel_.caret;
    bool atLineEnd = false;
    unsigned flags = kScrollToCaret;
    switch (vk) {
        case VK_LEFT:
            if (!shift && !sel_.Empty() && !control) {
                p = sel_.Min();
            } else {
                p = control ? PreviousWordStart(t, p) : PreviousChar(t, p);
            }
            break;
        case VK_RIGHT:
            if (!shift && !sel_.Empty() && !control) {
                p = sel_.Max();
            } else {
                p = control ? NextWordStart(t, p) : NextChar(t, p);
            }
            break;
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT: {
            Pos dl = DisplayLineOfCaret();
            if (control && (vk == VK_UP || vk == VK_DOWN)) {
                // By paragraph: to the start of this line or the next.
                Pos line = t.LineFromPosition(p);
                if (vk == VK_UP) {
                    p = p > t.LineStart(line) ? t.LineStart(line) : t.LineStart(std::max<Pos>(0, line - 1));
                } else {
                    p = line + 1 < t.LineCount() ? t.LineStart(line + 1) : t.Length();
                }
                break;
            }
            if (desiredX_ < 0) desiredX_ = PointOf(p, caretAtLineEnd_).x - formatRect_.left + xOffset_;
            Pos step = (vk == VK_UP || vk == VK_DOWN) ? 1 : std::max<Pos>(1, VisibleLineCount() - 1);
            bool up = vk == VK_UP || vk == VK_PRIOR;
            Pos count = layout_->DisplayLineCount();
            Pos target = up ? dl - step : dl + step;
            if (vk == VK_PRIOR || vk == VK_NEXT) ScrollLines(up ? -step : step);
            if (target < 0) {
                p = vk == VK_UP && !IsMultiLine() ? p : 0;
                if (vk == VK_PRIOR) p = layout_->GetDisplayLine(0).start;
                target = -1;
            } else if (target >= count) {
                p = t.Length();
                target = -1;
            }
            if (target >= 0) {
                DisplayLine d = layout_->GetDisplayLine(target);
                p = PosAtX(d, desiredX_);
                atLineEnd = p == d.end && target + 1 < count && layout_->GetDisplayLine(target + 1).line == d.line;
            }
            flags |= kKeepDesiredX;
            break;
        }
        case VK_HOME:
            if (control) {
                p = 0;
            } else {
                p = layout_->GetDisplayLine(DisplayLineOfCaret()).start;
            }
            break;
        case VK_END:
            if (control) {
                p = t.Length();
            } else {
                Pos dl = DisplayLineOfCaret();
                DisplayLine d = layout_->GetDisplayLine(dl);
                p = d.end;
                atLineEnd = dl + 1 < layout_->DisplayLineCount() && layout_->GetDisplayLine(dl + 1).line == d.line;
            }
            break;
        default:
            return true;
    }
    int keep = desiredX_;
    caretAtLineEnd_ = atLineEnd;
    bool alive = Select(shift ? sel_.anchor : p, p, flags);
    if (alive && (flags & kKeepDesiredX)) desiredX_ = keep;
    return alive;
}

LRESULT EditControl::OnChar(char32_t c) {
    const TextStore& t = doc_.Store();
    if (c == 0x08 || c == 0x7F) {
        if (!CanEdit()) {
            MessageBeep(0);
            return 0;
        }
        if (!sel_.Empty()) {
            Clear();
        } else if (sel_.caret > 0) {
            Pos start = c == 0x7F ? PreviousWordStart(t, sel_.caret) : PreviousChar(t, sel_.caret);
            Replace(Edit{start, sel_.caret, u"", EditKind::Other});
        }
        return 0;
    }
    std::u16string text;
    if (c == u'\r' || c == u'\n') {
        if (!IsMultiLine()) return 0;
        text = u"\r\n";
    } else if (c == u'\t') {
        if (!IsMultiLine()) return 0;
        text = u"\t";
    } else if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        return 0;  // control keys (Ctrl+letters) are handled as keys
    } else if (c >= 0x10000) {
        c -= 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
        text.push_back(static_cast<char16_t>(c));
    }
    if (!CanEdit() || (kind_ == ControlKind::Edit && (style_ & ES_NUMBER) && !(c >= u'0' && c <= u'9'))) {
        MessageBeep(0);
        return 0;
    }
    if (overtype_ && sel_.Empty() && text != u"\r\n") {
        Pos line = t.LineFromPosition(sel_.caret);
        if (sel_.caret < t.LineEnd(line)) {
            Replace(Edit{sel_.caret, NextChar(t, sel_.caret), text, EditKind::Other});
            return 0;
        }
    }
    Pos before = doc_.Length() - (sel_.Max() - sel_.Min());
    if (before + static_cast<Pos>(text.size()) > doc_.Limit()) MessageBeep(0);
    ReplaceSelection(text, EditKind::Typing);
    return 0;
}

// ---- Mouse ---------------------------------------------------------------------

LRESULT EditControl::OnMouseDown(POINT pt, WPARAM keys, bool doubleClick) {
    if (!focused_) {
        SetFocus(hwnd_);
        if (!Alive()) return 0;
    }
    SetCapture(hwnd_);
    dragging_ = true;
    lastMouse_ = pt;
    bool atLineEnd = false;
    Pos p = PosAtPoint(pt, &atLineEnd);
    if (doubleClick) {
        // The word under the pointer: the character hit, not the nearest gap.
        Pos count = layout_->DisplayLineCount();
        long long row = (pt.y - formatRect_.top) / lineHeight_;
        Pos dl = static_cast<Pos>(std::clamp<long long>(firstLine_ + row, 0, count - 1));
        DisplayLine d = layout_->GetDisplayLine(dl);
        Pos hit = d.end;
        int x = pt.x - formatRect_.left + xOffset_;
        WalkLine(doc_.Store(), d.start, d.end, measurer_, layout_->TabWidth(), [&](Pos q, char32_t, Pos, int cx, int w) {
            if (x < cx + w) {
                hit = q;
                return false;
            }
            return true;
        });
        dragByWord_ = true;
        dragWordStart_ = WordStart(doc_.Store(), hit);
        dragWordEnd_ = WordEnd(doc_.Store(), hit);
        caretAtLineEnd_ = false;
        Select(dragWordStart_, dragWordEnd_);
        return 0;
    }
    dragByWord_ = false;
    caretAtLineEnd_ = atLineEnd;
    if (keys & MK_SHIFT) {
        Select(sel_.anchor, p);
    } else {
        Select(p, p);
    }
    return 0;
}

LRESULT EditControl::OnMouseMove(POINT pt) {
    if (!dragging_ || GetCapture() != hwnd_) return 0;
    lastMouse_ = pt;
    bool atLineEnd = false;
    Pos p = PosAtPoint(pt, &atLineEnd);
    caretAtLineEnd_ = atLineEnd;
    if (dragByWord_) {
        if (p < dragWordStart_) {
            Select(dragWordEnd_, WordStart(doc_.Store(), p));
        } else {
            Select(dragWordStart_, std::max(dragWordEnd_, WordEnd(doc_.Store(), std::max<Pos>(0, p - 1))));
        }
    } else {
        Select(sel_.anchor, p);
    }
    if (!Alive()) return 0;
    bool outside = pt.y < formatRect_.top || pt.y >= formatRect_.bottom ||
                   (wrap_ == WrapMode::None && (pt.x < formatRect_.left || pt.x >= formatRect_.right));
    if (outside && !autoScrolling_) {
        SetTimer(hwnd_, kAutoScrollTimer, kAutoScrollInterval, nullptr);
        autoScrolling_ = true;
    } else if (!outside && autoScrolling_) {
        KillTimer(hwnd_, kAutoScrollTimer);
        autoScrolling_ = false;
    }
    return 0;
}

void EditControl::AutoScroll() {
    if (!dragging_) {
        KillTimer(hwnd_, kAutoScrollTimer);
        autoScrolling_ = false;
        return;
    }
    POINT pt = lastMouse_;
    // Farther away scrolls faster.
    if (pt.y < formatRect_.top) ScrollLines(-1 - (formatRect_.top - pt.y) / (4 * lineHeight_));
    if (pt.y >= formatRect_.bottom) ScrollLines(1 + (pt.y - formatRect_.bottom) / (4 * lineHeight_));
    if (wrap_ == WrapMode::None) {
        int step = 4 * measurer_.AverageCharWidth();
        if (pt.x < formatRect_.left) ScrollTo(firstLine_, xOffset_ - step);
        if (pt.x >= formatRect_.right) ScrollTo(firstLine_, xOffset_ + step);
    }
    OnMouseMove(pt);
}

LRESULT EditControl::OnMouseUp() {
    if (autoScrolling_) KillTimer(hwnd_, kAutoScrollTimer);
    autoScrolling_ = false;
    bool was = dragging_;
    dragging_ = false;
    if (was && GetCapture() == hwnd_) ReleaseCapture();
    return 0;
}

LRESULT EditControl::OnWheel(int delta, WPARAM keys) {
    if (keys & (MK_CONTROL | MK_SHIFT)) return 0;
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    wheelRemainder_ += delta;
    int notches = wheelRemainder_ / WHEEL_DELTA;
    wheelRemainder_ -= notches * WHEEL_DELTA;
    if (notches == 0) return 0;
    Pos step = lines == static_cast<UINT>(-1) ? std::max<Pos>(1, VisibleLineCount() - 1) : static_cast<Pos>(lines);
    ScrollLines(-notches * step);
    return 0;
}

// ---- Focus and the input method ------------------------------------------------------

LRESULT EditControl::OnSetFocus() {
    focused_ = true;
    CreateCaret(hwnd_, nullptr, overtype_ ? std::max(2, measurer_.AverageCharWidth()) : 1, lineHeight_);
    UpdateCaret();
    ShowCaret(hwnd_);
    if (!sel_.Empty()) InvalidateRange(sel_.Min(), sel_.Max());
    NotifyCommand(EN_SETFOCUS);
    return 0;
}

LRESULT EditControl::OnKillFocus() {
    focused_ = false;
    if (!composition_.empty()) {
        composition_.clear();
        InvalidateLines(DisplayLineOfCaret(), DisplayLineOfCaret());
    }
    DestroyCaret();
    if (!sel_.Empty()) InvalidateRange(sel_.Min(), sel_.Max());
    OnMouseUp();
    NotifyCommand(EN_KILLFOCUS);
    return 0;
}

LRESULT EditControl::OnComposition(LPARAM flags) {
    std::u16string text;
    if ((flags & GCS_COMPSTR) && CanEdit()) {
        HIMC context = ImmGetContext(hwnd_);
        LONG size = ImmGetCompositionStringA(context, GCS_COMPSTR, nullptr, 0);
        std::string utf8(static_cast<std::size_t>(std::max<LONG>(0, size)), '\0');
        if (size > 0) ImmGetCompositionStringA(context, GCS_COMPSTR, utf8.data(), static_cast<DWORD>(size));
        ImmReleaseContext(hwnd_, context);
        text = text::Utf8ToUtf16(utf8);
    }
    if (text == composition_) return 0;
    composition_ = text;
    Pos dl = DisplayLineOfCaret();
    InvalidateLines(dl, dl);
    UpdateCaret();
    return 0;
}

// ---- Scroll bars ---------------------------------------------------------------------

LRESULT EditControl::OnVScroll(WORD code) {
    Pos page = std::max<Pos>(1, VisibleLineCount() - 1);
    switch (code) {
        case SB_LINEUP: ScrollLines(-1); break;
        case SB_LINEDOWN: ScrollLines(1); break;
        case SB_PAGEUP: ScrollLines(-page); break;
        case SB_PAGEDOWN: ScrollLines(page); break;
        case SB_TOP: ScrollTo(0, xOffset_); break;
        case SB_BOTTOM: ScrollTo(INT_MAX, xOffset_); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(hwnd_, SB_VERT, &si);
            ScrollTo(si.nTrackPos, xOffset_);
            break;
        }
        default: return 0;
    }
    if (!IsRich() || (eventMask_ & ENM_SCROLL)) NotifyCommand(EN_VSCROLL);
    return 0;
}

LRESULT EditControl::OnHScroll(WORD code) {
    int line = measurer_.AverageCharWidth();
    int page = std::max(line, static_cast<int>(formatRect_.right - formatRect_.left) - line);
    switch (code) {
        case SB_LINELEFT: ScrollTo(firstLine_, xOffset_ - line); break;
        case SB_LINERIGHT: ScrollTo(firstLine_, xOffset_ + line); break;
        case SB_PAGELEFT: ScrollTo(firstLine_, xOffset_ - page); break;
        case SB_PAGERIGHT: ScrollTo(firstLine_, xOffset_ + page); break;
        case SB_LEFT: ScrollTo(firstLine_, 0); break;
        case SB_RIGHT: ScrollTo(firstLine_, INT_MAX / 2); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(hwnd_, SB_HORZ, &si);
            ScrollTo(firstLine_, si.nTrackPos);
            break;
        }
        default: return 0;
    }
    if (!IsRich() || (eventMask_ & ENM_SCROLL)) NotifyCommand(EN_HSCROLL);
    return 0;
}

}  // namespace win32::richedit
