#include "platform/richedit/edit_control.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <unordered_map>

#include "platform/kernel/winbase.h"

namespace win32::richedit {
namespace {

constexpr Pos kDefaultLimit = 32767;
// Past this size an edit's UTF-8 length is not worth counting piece by piece.
constexpr Pos kCountLimit = 1 << 20;

std::unordered_map<HWND, EditControl*>& Controls() {
    static std::unordered_map<HWND, EditControl*> controls;
    return controls;
}

std::size_t Utf8Bytes(const char16_t* s, std::size_t n) {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < n; ++i) {
        char16_t c = s[i];
        if (c < 0x80) {
            bytes += 1;
        } else if (c < 0x800) {
            bytes += 2;
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            bytes += 4;
            ++i;
        } else {
            bytes += 3;
        }
    }
    return bytes;
}

std::size_t Utf8BytesOf(const TextStore& store, Pos pos, Pos n) {
    std::u16string scratch;
    return Utf8Bytes(store.RangeView(pos, n, scratch), static_cast<std::size_t>(n));
}

}  // namespace

EditGuard::~EditGuard() {
    if (--c_->depth_ == 0 && c_->destroyed_) delete c_;
}

EditControl::EditControl(HWND hwnd, ControlKind kind, const CREATESTRUCTA& create)
    : hwnd_(hwnd), kind_(kind), style_(static_cast<DWORD>(create.style)) {
    Controls()[hwnd] = this;
    doc_.SetLimit(kDefaultLimit);
    readOnly_ = (style_ & ES_READONLY) != 0;
    if (!IsMultiLine() || (style_ & (ES_AUTOHSCROLL | WS_HSCROLL))) wrap_ = WrapMode::None;
    allowedBars_ = style_ & (WS_VSCROLL | WS_HSCROLL);
    if (kind_ == ControlKind::Edit && (style_ & ES_PASSWORD) && !IsMultiLine()) passwordChar_ = U'*';
    measurer_.SetPasswordChar(passwordChar_);
    LOGFONTA lf = gdi::StockLogFont(DEFAULT_GUI_FONT);
    ApplyFont(lf);
    layout_ = std::make_unique<WrapLayout>(doc_.Store(), measurer_);
    doc_.Store().AddObserver(this);
}

EditControl::~EditControl() {
    doc_.Store().RemoveObserver(this);
    layout_.reset();
    auto& controls = Controls();
    auto it = hwnd_ ? controls.find(hwnd_) : controls.end();
    if (it != controls.end() && it->second == this) controls.erase(it);
    if (font_) DeleteObject(font_);
    if (boxFont_) DeleteObject(boxFont_);
}

EditControl* EditControl::FromWindow(HWND hwnd) {
    auto& controls = Controls();
    auto it = controls.find(hwnd);
    if (it == controls.end() || it->second->destroyed_) return nullptr;
    return it->second;
}

LRESULT EditControl::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, ControlKind kind) {
    EditControl* c = FromWindow(hwnd);
    if (!c) {
        if (msg == WM_NCCREATE && lParam) {
            // Controls whose windows went without WM_NCDESTROY (a window
            // system reset) go first.
            auto& controls = Controls();
            for (auto it = controls.begin(); it != controls.end();) {
                EditControl* old = it->second;
                if ((it->first == hwnd || !IsWindow(it->first)) && old->depth_ == 0) {
                    it = controls.erase(it);
                    old->hwnd_ = nullptr;
                    delete old;
                } else {
                    ++it;
                }
            }
            new EditControl(hwnd, kind, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    EditGuard guard(c);
    LRESULT result = c->Message(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        c->destroyed_ = true;
        Controls().erase(hwnd);
    }
    return result;
}

// ---- Bookkeeping of the text ------------------------------------------------

void EditControl::OnTextRemoving(Pos position, Pos length) {
    if (!utf8Known_ || length <= 0) return;
    if (length > kCountLimit) {
        utf8Known_ = false;
        return;
    }
    utf8Length_ -= Utf8BytesOf(doc_.Store(), position, length);
}

void EditControl::OnTextChanged(const TextChange& change) {
    ++changeStamp_;
    if (!utf8Known_ || change.inserted <= 0) return;
    if (change.inserted > kCountLimit) {
        utf8Known_ = false;
        return;
    }
    utf8Length_ += Utf8BytesOf(doc_.Store(), change.position, change.inserted);
}

std::size_t EditControl::Utf8Length() {
    if (!utf8Known_) {
        const GapBuffer<char16_t>& b = doc_.Store().Buffer();
        // A surrogate pair across the gap counts 3 + 3 here instead of 4;
        // move the gap off it first.
        utf8Length_ = Utf8Bytes(b.Before(), static_cast<std::size_t>(b.BeforeLength())) +
                      Utf8Bytes(b.After(), static_cast<std::size_t>(b.AfterLength()));
        Pos gap = b.BeforeLength();
        if (gap > 0 && gap < b.Length() && b[gap - 1] >= 0xD800 && b[gap - 1] <= 0xDBFF && b[gap] >= 0xDC00 &&
            b[gap] <= 0xDFFF) {
            utf8Length_ -= 2;
        }
        utf8Known_ = true;
    }
    return utf8Length_;
}

std::u16string EditControl::TextOf(Pos start, Pos end) const {
    const TextStore& s = doc_.Store();
    start = std::clamp<Pos>(start, 0, s.Length());
    end = std::clamp<Pos>(end, start, s.Length());
    return s.Range(start, end - start);
}

std::u16string EditControl::Accept(std::u16string_view text) const {
    std::u16string out(text);
    if (!IsMultiLine()) {
        std::size_t cut = out.find_first_of(u"\r\n");
        if (cut != std::u16string::npos) out.resize(cut);
    }
    if (kind_ == ControlKind::Edit && (style_ & (ES_UPPERCASE | ES_LOWERCASE))) {
        bool upper = (style_ & ES_UPPERCASE) != 0;
        for (char16_t& c : out) {
            if (upper && c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 0x20);
            if (!upper && c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 0x20);
        }
    }
    return out;
}

bool EditControl::CanEdit() const { return !readOnly_ && IsWindowEnabled(hwnd_); }

// ---- Editing ---------------------------------------------------------------------

bool EditControl::Replace(const Edit& e) {
    std::u16string text = Accept(e.text);
    TextStore& store = doc_.Store();
    Pos a = std::clamp<Pos>(std::min(e.start, e.end), 0, store.Length());
    Pos firstDl = layout_->DisplayLineFromPosition(a);
    Pos oldCount = layout_->DisplayLineCount();
    std::uint64_t stamp = changeStamp_;
    Selection before = sel_;
    EditResult r = doc_.Replace(a, std::max(e.start, e.end) - a, text, e.kind);
    bool changed = stamp != changeStamp_;
    if (changed) {
        if (!e.canUndo) doc_.History().Clear();
        modified_ = true;
        Pos newCount = layout_->DisplayLineCount();
        Pos last = INT_MAX;
        if (newCount == oldCount) {
            Pos line = store.LineFromPosition(r.position + r.inserted);
            last = line + 1 < store.LineCount() ? layout_->FirstDisplayLineOf(line + 1) - 1 : newCount - 1;
        }
        InvalidateLines(firstDl - 1, last);
        if (wrap_ == WrapMode::None && maxWidth_ >= 0) {
            // The widest line only grows here; a full measure comes with the next font or text.
            Pos line = store.LineFromPosition(r.position);
            Pos endLine = store.LineFromPosition(r.position + r.inserted);
            for (Pos l = line; l <= endLine && maxWidth_ >= 0; ++l) {
                Pos length = store.LineEnd(l) - store.LineStart(l);
                if (length > kCountLimit) {
                    maxWidth_ += static_cast<int>(std::min<Pos>(r.inserted, 1 << 16)) * measurer_.AverageCharWidth();
                    continue;
                }
                DisplayLine d{store.LineStart(l), store.LineEnd(l), l};
                maxWidth_ = std::max(maxWidth_, XInLine(d, d.end));
            }
        }
    }
    Pos caret = r.position + r.inserted;
    sel_ = Selection{caret, caret};
    caretAtLineEnd_ = false;
    desiredX_ = -1;
    if (before.Min() != before.Max()) InvalidateRange(before.Min(), before.Max());
    UpdateScrollBars();
    ScrollCaretIntoView();
    UpdateCaret();
    if (before.anchor != sel_.anchor || before.caret != sel_.caret) {
        if (!NotifySelectionChange()) return false;
    }
    if (changed) {
        if (!IsRich() || (eventMask_ & ENM_UPDATE)) {
            if (!NotifyCommand(EN_UPDATE)) return false;
        }
        if (!NotifyChange()) return false;
    }
    if (r.truncated) return NotifyMaxText();
    return true;
}

bool EditControl::ReplaceSelection(std::u16string_view text, EditKind kind, bool canUndo) {
    return Replace(Edit{sel_.Min(), sel_.Max(), text, kind, canUndo});
}

bool EditControl::SetText(std::u16string_view text) {
    std::uint64_t stamp = changeStamp_;
    Selection before = sel_;
    std::u16string accepted = NormalizeText(Accept(text));
    // The same text again is no change, though it still starts afresh.
    bool same = static_cast<Pos>(accepted.size()) == doc_.Length() && accepted == TextOf(0, doc_.Length());
    EditResult r = same ? EditResult{0, doc_.Length(), false} : doc_.SetText(accepted);
    if (same) doc_.History().Clear();
    // A multi-line edit control does not report text set by message.
    bool alive = WholeTextReplaced(before, stamp != changeStamp_, r.truncated && IsRich(), IsRich() || !IsMultiLine());
    return alive && (!r.truncated || IsRich());
}

bool EditControl::WholeTextReplaced(const Selection& before, bool changed, bool truncated, bool notifyChange) {
    modified_ = false;
    sel_ = Selection{0, 0};
    caretAtLineEnd_ = false;
    desiredX_ = -1;
    firstLine_ = 0;
    xOffset_ = 0;
    maxWidth_ = -1;
    InvalidateAll();
    UpdateScrollBars();
    UpdateCaret();
    if (before.anchor != 0 || before.caret != 0) {
        if (!NotifySelectionChange()) return false;
    }
    if (changed && notifyChange) {
        if (!NotifyChange()) return false;
    }
    if (truncated) return NotifyMaxText();
    return true;
}

bool EditControl::Undo() {
    std::uint64_t stamp = changeStamp_;
    EditResult r = doc_.Undo();
    if (r.position < 0) return false;
    modified_ = true;
    maxWidth_ = -1;
    InvalidateLines(layout_->DisplayLineFromPosition(r.position) - 1, INT_MAX);
    Selection before = sel_;
    sel_ = Selection{r.position, r.position + r.inserted};
    caretAtLineEnd_ = false;
    UpdateScrollBars();
    ScrollCaretIntoView();
    UpdateCaret();
    if (before.anchor != sel_.anchor || before.caret != sel_.caret) {
        if (!NotifySelectionChange()) return true;
    }
    if (stamp != changeStamp_) NotifyChange();
    return true;
}

bool EditControl::Redo() {
    std::uint64_t stamp = changeStamp_;
    EditResult r = doc_.Redo();
    if (r.position < 0) return false;
    modified_ = true;
    maxWidth_ = -1;
    InvalidateLines(layout_->DisplayLineFromPosition(r.position) - 1, INT_MAX);
    Selection before = sel_;
    Pos caret = r.position + r.inserted;
    sel_ = Selection{caret, caret};
    caretAtLineEnd_ = false;
    UpdateScrollBars();
    ScrollCaretIntoView();
    UpdateCaret();
    if (before.anchor != sel_.anchor || before.caret != sel_.caret) {
        if (!NotifySelectionChange()) return true;
    }
    if (stamp != changeStamp_) NotifyChange();
    return true;
}

// ---- Clipboard ---------------------------------------------------------------------

bool EditControl::Copy() {
    if (sel_.Empty() || passwordChar_) return false;
    std::string utf8 = text::Utf16ToUtf8(TextOf(sel_.Min(), sel_.Max()));
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, utf8.size() + 1);
    if (!block) return false;
    std::memcpy(GlobalLock(block), utf8.c_str(), utf8.size() + 1);
    GlobalUnlock(block);
    if (!OpenClipboard(hwnd_)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
    return true;
}

bool EditControl::Cut() {
    if (sel_.Empty() || !CanEdit() || !Copy()) return false;
    return Clear();
}

bool EditControl::Clear() {
    if (sel_.Empty() || !CanEdit()) return false;
    ReplaceSelection(u"", EditKind::Other);
    return true;
}

bool EditControl::CanPaste() const { return IsClipboardFormatAvailable(CF_TEXT) != 0; }

bool EditControl::Paste() {
    if (!CanEdit() || !OpenClipboard(hwnd_)) return false;
    std::u16string text;
    bool has = false;
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const char16_t*>(GlobalLock(block))) {
            std::size_t n = 0;
            std::size_t max = GlobalSize(block) / sizeof(char16_t);
            while (n < max && p[n] != 0) ++n;
            text.assign(p, n);
            has = true;
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    if (!has || !Alive()) return false;
    ReplaceSelection(text, EditKind::Other);
    return true;
}

// ---- Selection ------------------------------------------------------------------

bool EditControl::Select(Pos anchor, Pos caret, unsigned flags) {
    Pos length = doc_.Length();
    anchor = Snap(std::clamp<Pos>(anchor, 0, length));
    caret = Snap(std::clamp<Pos>(caret, 0, length));
    if (!(flags & kFromTyping)) doc_.History().BreakCoalescing();
    if (!(flags & kKeepDesiredX)) desiredX_ = -1;
    Selection old = sel_;
    sel_ = Selection{anchor, caret};
    if (old.Min() != sel_.Min()) InvalidateRange(std::min(old.Min(), sel_.Min()), std::max(old.Min(), sel_.Min()));
    if (old.Max() != sel_.Max()) InvalidateRange(std::min(old.Max(), sel_.Max()), std::max(old.Max(), sel_.Max()));
    if (flags & kScrollToCaret) ScrollCaretIntoView();
    UpdateCaret();
    if (old.anchor == sel_.anchor && old.caret == sel_.caret) return true;
    return NotifySelectionChange();
}

// ---- Notifications --------------------------------------------------------------

bool EditControl::NotifyCommand(WORD code) {
    HWND parent = GetParent(hwnd_);
    if (!parent) return Alive();
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd_)), code),
                 reinterpret_cast<LPARAM>(hwnd_));
    return Alive();
}

bool EditControl::NotifyChange() {
    if (IsRich() && !(eventMask_ & ENM_CHANGE)) return true;
    return NotifyCommand(EN_CHANGE);
}

bool EditControl::NotifyMaxText() { return NotifyCommand(EN_MAXTEXT); }

bool EditControl::NotifySelectionChange() {
    if (!IsRich() || !(eventMask_ & ENM_SELCHANGE)) return true;
    HWND parent = GetParent(hwnd_);
    if (!parent) return true;
    SELCHANGE change{};
    change.nmhdr.hwndFrom = hwnd_;
    change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd_));
    change.nmhdr.code = EN_SELCHANGE;
    change.chrg = CHARRANGE{sel_.Min(), sel_.Max()};
    change.seltyp = sel_.Empty() ? SEL_EMPTY : static_cast<WORD>(SEL_TEXT | (sel_.Max() - sel_.Min() > 1 ? SEL_MULTICHAR : 0));
    SendMessageA(parent, WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
    return Alive();
}

}  // namespace win32::richedit
