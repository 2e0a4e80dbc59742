// The window procedure of the control: each family of messages unpacks its
// parameters and calls the handler.
#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/richedit/edit_control.h"
#include "platform/richedit/text_search.h"
#include "platform/user/window_text.h"

namespace win32::richedit {
namespace {

constexpr Pos kRichDefaultMax = 65536;
constexpr Pos kEditMax = 0x7FFFFFFE;

std::u16string FromUtf8(LPARAM text) {
    const char* s = reinterpret_cast<const char*>(text);
    return s ? text::Utf8ToUtf16(s) : std::u16string();
}

// Copies UTF-8 and a terminator into a buffer the caller sized for it.
LRESULT CopyWithTerminator(const std::string& utf8, char* buffer) {
    if (!buffer) return 0;
    std::memcpy(buffer, utf8.c_str(), utf8.size() + 1);
    return static_cast<LRESULT>(utf8.size());
}

// The longest start of `text` whose UTF-8 fits `room` bytes, whole characters only.
std::size_t FitUtf8(const std::string& text, std::size_t room) {
    std::size_t n = std::min(text.size(), room);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return n;
}

}  // namespace

LRESULT EditControl::Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    bool handled = true;
    LRESULT r = TextMessage(msg, wParam, lParam, handled);
    if (handled) return r;
    handled = true;
    r = SelectionMessage(msg, wParam, lParam, handled);
    if (handled) return r;
    handled = true;
    r = LineMessage(msg, wParam, lParam, handled);
    if (handled) return r;
    handled = true;
    r = ViewMessage(msg, wParam, lParam, handled);
    if (handled) return r;
    if (IsRich()) {
        handled = true;
        r = RichMessage(msg, wParam, lParam, handled);
        if (handled) return r;
    }
    handled = true;
    r = WindowMessage(msg, wParam, lParam, handled);
    if (handled) return r;
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

// ---- Text, undo, clipboard, limits ------------------------------------------------

LRESULT EditControl::TextMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
        case WM_SETTEXT: return SetText(FromUtf8(lParam)) ? TRUE : FALSE;
        case WM_GETTEXT: {
            if (!lParam || wParam == 0) return 0;
            return user::CopyTextOut(text::Utf16ToUtf8(TextOf(0, doc_.Length())), reinterpret_cast<char*>(lParam),
                                     wParam);
        }
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(Utf8Length());
        case EM_REPLACESEL: ReplaceSelection(FromUtf8(lParam), EditKind::Other, wParam != 0); return 0;
        case WM_UNDO:
        case EM_UNDO: return Undo() ? TRUE : FALSE;
        case EM_CANUNDO: return doc_.CanUndo() ? TRUE : FALSE;
        case EM_EMPTYUNDOBUFFER: doc_.History().Clear(); return 0;
        case WM_CUT: Cut(); return 0;
        case WM_COPY: Copy(); return 0;
        case WM_PASTE: Paste(); return 0;
        case WM_CLEAR: Clear(); return 0;
        case EM_GETMODIFY: return modified_ ? TRUE : FALSE;
        case EM_SETMODIFY: modified_ = wParam != 0; return 0;
        case EM_SETREADONLY:
            readOnly_ = wParam != 0;
            style_ = readOnly_ ? (style_ | ES_READONLY) : (style_ & ~ES_READONLY);
            SetWindowLongA(hwnd_, GWL_STYLE, static_cast<LONG>(style_));
            InvalidateAll();
            return TRUE;
        case EM_LIMITTEXT: {
            Pos limit = static_cast<Pos>(std::min<WPARAM>(wParam, static_cast<WPARAM>(kEditMax)));
            doc_.SetLimit(limit > 0 ? limit : IsRich() ? kRichDefaultMax : kEditMax);
            return 0;
        }
        case EM_GETLIMITTEXT: return doc_.Limit();
        default: handled = false; return 0;
    }
}

// ---- Selection -------------------------------------------------------------

LRESULT EditControl::SelectionMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
        case EM_GETSEL: {
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(sel_.Min());
            if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(sel_.Max());
            if (sel_.Max() > 0xFFFF) return -1;
            return MAKELRESULT(static_cast<WORD>(sel_.Min()), static_cast<WORD>(sel_.Max()));
        }
        case EM_SETSEL: {
            LONG start = static_cast<LONG>(wParam);
            LONG end = static_cast<LONG>(lParam);
            if (start == -1) {
                Select(sel_.caret, sel_.caret, IsRich() ? kScrollToCaret : kSelectNone);
                return 0;
            }
            if (end == -1 || end > doc_.Length()) end = doc_.Length();
            if (start < -1) start = 0;
            caretAtLineEnd_ = false;
            Select(start, end, IsRich() ? kScrollToCaret : kSelectNone);
            return 0;
        }
        case EM_SCROLLCARET: ScrollCaretIntoView(); return IsRich() ? 0 : TRUE;
        default: handled = false; return 0;
    }
}

// ---- Lines ----------------------------------------------------------------------

LRESULT EditControl::GetLine(Pos line, LPARAM buffer) {
    if (!buffer) return 0;
    std::size_t room = *reinterpret_cast<WORD*>(buffer);
    if (line < 0 || line >= layout_->DisplayLineCount() || room == 0) return 0;
    DisplayLine d = layout_->GetDisplayLine(line);
    const TextStore& t = doc_.Store();
    Pos end = d.end;
    // A rich edit hands over the line break that ends a line, as it stores it.
    if (IsRich() && d.end == t.LineEnd(d.line) && d.line + 1 < t.LineCount()) end += 2;
    std::string utf8 = text::Utf16ToUtf8(TextOf(d.start, end));
    std::size_t n = FitUtf8(utf8, room);
    std::memcpy(reinterpret_cast<char*>(buffer), utf8.data(), n);
    return static_cast<LRESULT>(n);
}

LRESULT EditControl::LineMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    const TextStore& t = doc_.Store();
    switch (msg) {
        case EM_GETLINECOUNT: return layout_->DisplayLineCount();
        case EM_LINEFROMCHAR:
        case EM_EXLINEFROMCHAR: {
            if (msg == EM_EXLINEFROMCHAR && !IsRich()) break;
            LONG pos = static_cast<LONG>(msg == EM_LINEFROMCHAR ? static_cast<LPARAM>(wParam) : lParam);
            if (pos < 0) return sel_.Empty() ? DisplayLineOfCaret() : layout_->DisplayLineFromPosition(sel_.Min());
            return layout_->DisplayLineFromPosition(std::min<Pos>(pos, t.Length()));
        }
        case EM_LINEINDEX: {
            LONG line = static_cast<LONG>(wParam);
            if (line < 0) line = DisplayLineOfCaret();
            if (line >= layout_->DisplayLineCount()) return -1;
            return layout_->GetDisplayLine(line).start;
        }
        case EM_LINELENGTH: {
            LONG pos = static_cast<LONG>(wParam);
            if (pos < 0) {
                if (sel_.Empty()) return 0;
                DisplayLine first = layout_->GetDisplayLine(layout_->DisplayLineFromPosition(sel_.Min()));
                DisplayLine last = layout_->GetDisplayLine(layout_->DisplayLineFromPosition(sel_.Max()));
                return (sel_.Min() - first.start) + std::max<Pos>(0, last.end - sel_.Max());
            }
            if (pos > t.Length()) return 0;
            DisplayLine d = layout_->GetDisplayLine(layout_->DisplayLineFromPosition(pos));
            return d.end - d.start;
        }
        case EM_GETLINE: return GetLine(static_cast<Pos>(wParam), lParam);
        case EM_GETFIRSTVISIBLELINE: {
            if (IsMultiLine()) return firstLine_;
            DisplayLine d = layout_->GetDisplayLine(0);
            return PosAtX(d, xOffset_);
        }
        case EM_POSFROMCHAR: {
            if (IsRich()) {
                auto* out = reinterpret_cast<POINTL*>(wParam);
                if (!out) return 0;
                POINT p = PointOf(static_cast<Pos>(std::clamp<LPARAM>(lParam, 0, t.Length())), false);
                *out = POINTL{p.x, p.y};
                return 0;
            }
            LONG pos = static_cast<LONG>(wParam);
            if (pos < 0 || pos > t.Length()) return -1;
            POINT p = PointOf(pos, false);
            return MAKELRESULT(static_cast<WORD>(static_cast<SHORT>(p.x)), static_cast<WORD>(static_cast<SHORT>(p.y)));
        }
        case EM_CHARFROMPOS: {
            if (IsRich()) {
                const auto* in = reinterpret_cast<const POINTL*>(lParam);
                if (!in) return 0;
                return PosAtPoint(POINT{in->x, in->y});
            }
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            Pos pos = PosAtPoint(pt);
            Pos line = layout_->DisplayLineFromPosition(pos);
            return MAKELRESULT(static_cast<WORD>(pos), static_cast<WORD>(line));
        }
        default: break;
    }
    handled = false;
    return 0;
}

// ---- View: scrolling, rectangle, font, margins ------------------------------------

LRESULT EditControl::ViewMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
        case EM_LINESCROLL:
            ScrollTo(static_cast<Pos>(std::clamp<long long>(static_cast<long long>(firstLine_) + static_cast<LONG>(lParam),
                                                            0, INT_MAX)),
                     xOffset_ + static_cast<int>(static_cast<LONG>(wParam)) * measurer_.AverageCharWidth());
            return TRUE;
        case EM_SCROLL: {
            Pos before = firstLine_;
            WORD code = LOWORD(wParam);
            if (code > SB_PAGEDOWN) return FALSE;
            OnVScroll(code);
            return MAKELRESULT(static_cast<WORD>(static_cast<SHORT>(firstLine_ - before)), TRUE);
        }
        case EM_GETTHUMB: return firstLine_;
        case EM_GETRECT:
            if (lParam) *reinterpret_cast<RECT*>(lParam) = formatRect_;
            return 0;
        case EM_SETRECT:
        case EM_SETRECTNP:
            if (lParam) {
                formatRect_ = *reinterpret_cast<const RECT*>(lParam);
                customRect_ = true;
            } else {
                customRect_ = false;
            }
            UpdateFormatRect();
            Rewrap();
            UpdateScrollBars();
            if (msg == EM_SETRECT) InvalidateAll();
            UpdateCaret();
            return 0;
        case WM_SETFONT: {
            LOGFONTA lf{};
            HFONT font = reinterpret_cast<HFONT>(wParam);
            if (!font || GetObjectA(font, sizeof lf, &lf) != sizeof lf) lf = gdi::StockLogFont(DEFAULT_GUI_FONT);
            ApplyFont(lf);
            UpdateFormatRect();
            Rewrap();
            UpdateScrollBars();
            if (LOWORD(lParam)) InvalidateAll();
            return 0;
        }
        case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
        case EM_SETPASSWORDCHAR:
            if (IsRich() || IsMultiLine()) return 0;
            passwordChar_ = static_cast<char32_t>(wParam);
            measurer_.SetPasswordChar(passwordChar_);
            layout_->FontChanged();
            maxWidth_ = -1;
            InvalidateAll();
            UpdateCaret();
            return 0;
        case EM_GETPASSWORDCHAR: return static_cast<LRESULT>(passwordChar_);
        case EM_SETMARGINS: {
            if (customRect_ || IsRich()) return 0;
            RECT client{};
            GetClientRect(hwnd_, &client);
            int left = wParam & EC_LEFTMARGIN ? (LOWORD(lParam) == EC_USEFONTINFO ? 1 : LOWORD(lParam)) : formatRect_.left;
            int right = wParam & EC_RIGHTMARGIN ? (HIWORD(lParam) == EC_USEFONTINFO ? 1 : HIWORD(lParam))
                                                : client.right - formatRect_.right;
            formatRect_.left = client.left + left;
            formatRect_.right = std::max(formatRect_.left, static_cast<LONG>(client.right - right));
            Rewrap();
            InvalidateAll();
            return 0;
        }
        case EM_GETMARGINS: {
            RECT client{};
            GetClientRect(hwnd_, &client);
            return MAKELRESULT(static_cast<WORD>(formatRect_.left - client.left),
                               static_cast<WORD>(client.right - formatRect_.right));
        }
        case EM_SETTABSTOPS:
        case EM_FMTLINES: return TRUE;
        default: handled = false; return 0;
    }
}

// ---- Rich-edit messages --------------------------------------------------------

LRESULT EditControl::FindText(WPARAM flags, const CHARRANGE& range, LPCSTR what, CHARRANGE* found) {
    if (!what) return -1;
    std::u16string pattern = text::Utf8ToUtf16(what);
    Pos length = doc_.Length();
    Pos min = std::clamp<Pos>(range.cpMin, 0, length);
    Pos max = range.cpMax < 0 || range.cpMax > length ? length : range.cpMax;
    if (max < min) return -1;
    unsigned f = (flags & FT_MATCHCASE ? unsigned{kSearchMatchCase} : 0u) | (flags & FT_WHOLEWORD ? unsigned{kSearchWholeWord} : 0u);
    Pos at = richedit::FindText(doc_.Store(), min, max, pattern, f);
    if (found && at >= 0) *found = CHARRANGE{at, at + static_cast<LONG>(pattern.size())};
    return at;
}

LRESULT EditControl::SetCharFormat(const CHARFORMATA& f) {
    if (f.cbSize < sizeof(CHARFORMATA)) return FALSE;
    LOGFONTA lf = logFont_;
    if (f.dwMask & CFM_FACE) {
        std::memcpy(lf.lfFaceName, f.szFaceName, LF_FACESIZE);
        lf.lfFaceName[LF_FACESIZE - 1] = '\0';
        lf.lfPitchAndFamily = f.bPitchAndFamily;
    }
    if ((f.dwMask & CFM_SIZE) && f.yHeight > 0) lf.lfHeight = -std::max(1, static_cast<int>((f.yHeight + 7) / 15));
    if (f.dwMask & CFM_BOLD) lf.lfWeight = (f.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    if (f.dwMask & CFM_ITALIC) lf.lfItalic = (f.dwEffects & CFE_ITALIC) ? 1 : 0;
    if (f.dwMask & CFM_UNDERLINE) lf.lfUnderline = (f.dwEffects & CFE_UNDERLINE) ? 1 : 0;
    if (f.dwMask & CFM_STRIKEOUT) lf.lfStrikeOut = (f.dwEffects & CFE_STRIKEOUT) ? 1 : 0;
    if (f.dwMask & CFM_CHARSET) lf.lfCharSet = f.bCharSet;
    if (f.dwMask & CFM_COLOR) {
        autoColor_ = (f.dwEffects & CFE_AUTOCOLOR) != 0;
        textColor_ = f.crTextColor;
    }
    if (std::memcmp(&lf, &logFont_, sizeof lf) != 0) {
        lf.lfWidth = 0;
        ApplyFont(lf);
        UpdateFormatRect();
        Rewrap();
        UpdateScrollBars();
    }
    InvalidateAll();
    return TRUE;
}

LRESULT EditControl::GetCharFormat(CHARFORMATA& f) const {
    if (f.cbSize < sizeof(CHARFORMATA)) return 0;
    const TEXTMETRICA& tm = measurer_.TextFont()->Metrics();
    LONG pixels = logFont_.lfHeight < 0 ? -logFont_.lfHeight : tm.tmHeight - tm.tmInternalLeading;
    f.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED | CFM_SIZE | CFM_COLOR | CFM_FACE |
               CFM_OFFSET | CFM_CHARSET;
    f.dwEffects = (logFont_.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (logFont_.lfItalic ? CFE_ITALIC : 0) |
                  (logFont_.lfUnderline ? CFE_UNDERLINE : 0) | (logFont_.lfStrikeOut ? CFE_STRIKEOUT : 0) |
                  (autoColor_ ? CFE_AUTOCOLOR : 0);
    f.yHeight = pixels * 15;
    f.yOffset = 0;
    f.crTextColor = autoColor_ ? GetSysColor(COLOR_WINDOWTEXT) : textColor_;
    f.bCharSet = logFont_.lfCharSet;
    f.bPitchAndFamily = logFont_.lfPitchAndFamily;
    std::memcpy(f.szFaceName, logFont_.lfFaceName, LF_FACESIZE);
    return static_cast<LRESULT>(f.dwMask);
}

void EditControl::SetTargetDevice(HDC dc, LONG lineWidth) {
    if (!dc && lineWidth == 0) {
        wrap_ = WrapMode::Window;
    } else if (!dc && lineWidth == 1) {
        wrap_ = WrapMode::None;
    } else if (lineWidth > 0) {
        wrap_ = WrapMode::Fixed;
        fixedWidth_ = std::max(1, static_cast<int>(lineWidth / 15));
    } else {
        wrap_ = WrapMode::Window;
    }
    Rewrap();
    UpdateScrollBars();
    ScrollCaretIntoView();
    InvalidateAll();
    UpdateCaret();
}

LRESULT EditControl::RichMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
        case EM_EXGETSEL:
            if (lParam) *reinterpret_cast<CHARRANGE*>(lParam) = CHARRANGE{sel_.Min(), sel_.Max()};
            return 0;
        case EM_EXSETSEL: {
            const auto* r = reinterpret_cast<const CHARRANGE*>(lParam);
            if (!r) return sel_.Max();
            caretAtLineEnd_ = false;
            if (r->cpMin < 0) {
                Select(sel_.caret, sel_.caret, kScrollToCaret);
            } else {
                Pos end = r->cpMax < 0 || r->cpMax > doc_.Length() ? doc_.Length() : r->cpMax;
                Select(r->cpMin, end, kScrollToCaret);
            }
            return sel_.Max();
        }
        case EM_EXLIMITTEXT: {
            Pos limit = static_cast<Pos>(std::clamp<LPARAM>(lParam, 0, TextDocument::kMaxLimit));
            doc_.SetLimit(limit > 0 ? limit : kRichDefaultMax);
            return 0;
        }
        case EM_GETSELTEXT: return CopyWithTerminator(text::Utf16ToUtf8(TextOf(sel_.Min(), sel_.Max())),
                                                      reinterpret_cast<char*>(lParam));
        case EM_GETTEXTRANGE: {
            auto* r = reinterpret_cast<TEXTRANGEA*>(lParam);
            if (!r || !r->lpstrText) return 0;
            Pos end = r->chrg.cpMax < 0 ? doc_.Length() : r->chrg.cpMax;
            return CopyWithTerminator(text::Utf16ToUtf8(TextOf(r->chrg.cpMin, end)), r->lpstrText);
        }
        case EM_GETTEXTEX: {
            const auto* g = reinterpret_cast<const GETTEXTEX*>(wParam);
            if (!g || !lParam || g->cb == 0) return 0;
            std::u16string units = (g->flags & GT_SELECTION) ? TextOf(sel_.Min(), sel_.Max()) : TextOf(0, doc_.Length());
            if (g->codepage == 1200) {
                std::size_t n = std::min<std::size_t>(units.size(), g->cb / 2 - 1);
                if (g->cb < 2) return 0;
                if (n > 0 && n < units.size() && units[n] >= 0xDC00 && units[n] <= 0xDFFF && units[n - 1] >= 0xD800 &&
                    units[n - 1] <= 0xDBFF)
                    --n;
                auto* out = reinterpret_cast<char16_t*>(lParam);
                std::memcpy(out, units.data(), n * 2);
                out[n] = 0;
                return static_cast<LRESULT>(n);
            }
            std::string bytes;
            if (g->codepage == 932) {
                std::size_t replaced = 0;
                bytes = text::Utf16ToSjis(units, &replaced);
                if (g->lpUsedDefChar) *g->lpUsedDefChar = replaced > 0;
            } else {
                bytes = text::Utf16ToUtf8(units);
            }
            std::size_t n = g->codepage == 932 ? std::min<std::size_t>(bytes.size(), g->cb - 1) : FitUtf8(bytes, g->cb - 1);
            if (g->codepage == 932 && n > 0 && n < bytes.size()) {
                // Never end on the lead byte of a pair.
                std::size_t k = 0;
                while (k < n) k += text::IsSjisLeadByte(static_cast<std::uint8_t>(bytes[k])) && k + 1 < bytes.size() ? 2 : 1;
                if (k > n) n -= 1;
            }
            auto* out = reinterpret_cast<char*>(lParam);
            std::memcpy(out, bytes.data(), n);
            out[n] = '\0';
            return static_cast<LRESULT>(n);
        }
        case EM_GETTEXTLENGTHEX: {
            const auto* g = reinterpret_cast<const GETTEXTLENGTHEX*>(wParam);
            if (!g || !(g->flags & GTL_NUMBYTES)) return doc_.Length();
            if (g->codepage == 1200) return static_cast<LRESULT>(doc_.Length()) * 2;
            if (g->codepage == 932) return static_cast<LRESULT>(text::SjisLength(TextOf(0, doc_.Length())));
            return static_cast<LRESULT>(Utf8Length());
        }
        case EM_FINDTEXT: {
            const auto* f = reinterpret_cast<const FINDTEXTA*>(lParam);
            return f ? FindText(wParam, f->chrg, f->lpstrText, nullptr) : -1;
        }
        case EM_FINDTEXTEX: {
            auto* f = reinterpret_cast<FINDTEXTEXA*>(lParam);
            if (!f) return -1;
            f->chrgText = CHARRANGE{-1, -1};
            return FindText(wParam, f->chrg, f->lpstrText, &f->chrgText);
        }
        case EM_REDO: return Redo() ? TRUE : FALSE;
        case EM_CANREDO: return doc_.CanRedo() ? TRUE : FALSE;
        case EM_STOPGROUPTYPING: doc_.History().BreakCoalescing(); return 0;
        case EM_SETUNDOLIMIT: doc_.History().SetLimit(wParam); return static_cast<LRESULT>(wParam);
        case EM_CANPASTE: return CanPaste() ? TRUE : FALSE;
        case EM_SETBKGNDCOLOR: {
            COLORREF old = systemBack_ ? GetSysColor(COLOR_WINDOW) : backColor_;
            systemBack_ = wParam != 0;
            backColor_ = static_cast<COLORREF>(lParam);
            InvalidateAll();
            return static_cast<LRESULT>(old);
        }
        case EM_SETCHARFORMAT: {
            const auto* f = reinterpret_cast<const CHARFORMATA*>(lParam);
            return f ? SetCharFormat(*f) : FALSE;
        }
        case EM_GETCHARFORMAT: {
            auto* f = reinterpret_cast<CHARFORMATA*>(lParam);
            return f ? GetCharFormat(*f) : 0;
        }
        case EM_SETEVENTMASK: {
            DWORD old = eventMask_;
            eventMask_ = static_cast<DWORD>(lParam);
            return static_cast<LRESULT>(old);
        }
        case EM_GETEVENTMASK: return static_cast<LRESULT>(eventMask_);
        case EM_SETTARGETDEVICE: SetTargetDevice(reinterpret_cast<HDC>(wParam), static_cast<LONG>(lParam)); return TRUE;
        case EM_STREAMIN: return StreamIn(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
        case EM_STREAMOUT: return StreamOut(wParam, reinterpret_cast<EDITSTREAM*>(lParam));
        case EM_FORMATRANGE: return FormatRange(wParam != 0, reinterpret_cast<const FORMATRANGE*>(lParam));
        case EM_DISPLAYBAND: return DisplayBand(reinterpret_cast<const RECT*>(lParam));
        case EM_GETLOSTCHARCOUNT: return static_cast<LRESULT>(lostChars_);
        case EM_HIDESELECTION:
            hideSelection_ = wParam != 0;
            if (!sel_.Empty()) InvalidateRange(sel_.Min(), sel_.Max());
            return 0;
        case EM_SELECTIONTYPE:
            return sel_.Empty() ? SEL_EMPTY : (SEL_TEXT | (sel_.Max() - sel_.Min() > 1 ? SEL_MULTICHAR : 0));
        case EM_SETTEXTMODE: return doc_.Length() == 0 && (wParam & TM_RICHTEXT) == 0 ? 0 : 1;
        case EM_GETTEXTMODE: return TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_SINGLECODEPAGE;
        case EM_SETOPTIONS: {
            LPARAM options = (readOnly_ ? ECO_READONLY : 0) | ((style_ & ES_NOHIDESEL) ? ECO_NOHIDESEL : 0);
            switch (wParam) {
                case ECOOP_SET: options = lParam; break;
                case ECOOP_OR: options |= lParam; break;
                case ECOOP_AND: options &= lParam; break;
                case ECOOP_XOR: options ^= lParam; break;
                default: break;
            }
            readOnly_ = (options & ECO_READONLY) != 0;
            style_ = (options & ECO_NOHIDESEL) ? (style_ | ES_NOHIDESEL) : (style_ & ~ES_NOHIDESEL);
            InvalidateAll();
            return options;
        }
        case EM_GETOPTIONS: return (readOnly_ ? ECO_READONLY : 0) | ((style_ & ES_NOHIDESEL) ? ECO_NOHIDESEL : 0);
        default: handled = false; return 0;
    }
}

// ---- The window: life, painting, input ------------------------------------------------

LRESULT EditControl::WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
        case WM_CREATE: {
            UpdateFormatRect();
            Rewrap();
            // Bars come and go as the text needs them.
            if (IsRich() && !(style_ & ES_DISABLENOSCROLL)) ShowScrollBar(hwnd_, SB_BOTH, FALSE);
            UpdateFormatRect();
            Rewrap();
            const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            if (cs && cs->lpszName && *cs->lpszName) {
                doc_.SetText(Accept(text::Utf8ToUtf16(cs->lpszName)));
            }
            UpdateScrollBars();
            return 0;
        }
        case WM_SIZE:
            UpdateFormatRect();
            Rewrap();
            UpdateScrollBars();
            ScrollTo(firstLine_, xOffset_);
            InvalidateAll();
            UpdateCaret();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(hwnd_, &ps);
            if (dc) {
                HideCaret(hwnd_);
                Paint(dc, ps.rcPaint);
                if (Alive()) ShowCaret(hwnd_);
            }
            if (Alive()) EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(hwnd_, &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SETFOCUS: return OnSetFocus();
        case WM_KILLFOCUS: return OnKillFocus();
        case WM_ENABLE: InvalidateAll(); return 0;
        case WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
            if (IsMultiLine()) code |= DLGC_WANTALLKEYS;
            return code;
        }
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == hwnd_ && LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorA(nullptr, IDC_IBEAM));
                return TRUE;
            }
            handled = false;
            return 0;
        case WM_KEYDOWN: return OnKeyDown(static_cast<UINT>(wParam), lParam);
        case WM_CHAR: return OnChar(static_cast<char32_t>(wParam));
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return OnMouseDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam, msg == WM_LBUTTONDBLCLK);
        case WM_MOUSEMOVE: return OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        case WM_LBUTTONUP: return OnMouseUp();
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_) {
                dragging_ = false;
                OnMouseUp();
            }
            return 0;
        case WM_TIMER:
            if (wParam == 0xED1) {
                AutoScroll();
                return 0;
            }
            handled = false;
            return 0;
        case WM_MOUSEWHEEL: return OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), LOWORD(wParam));
        case WM_VSCROLL: return OnVScroll(LOWORD(wParam));
        case WM_HSCROLL: return OnHScroll(LOWORD(wParam));
        case WM_IME_STARTCOMPOSITION: return 0;
        case WM_IME_COMPOSITION: return OnComposition(lParam);
        case WM_IME_ENDCOMPOSITION: return OnComposition(0);
        case WM_STYLECHANGED:
            if (wParam == static_cast<WPARAM>(GWL_STYLE) && lParam) {
                const auto* s = reinterpret_cast<const STYLESTRUCT*>(lParam);
                DWORD bars = WS_VSCROLL | WS_HSCROLL;
                // Bars the control itself showed or hid are no change of style.
                if (!updatingBars_) allowedBars_ = s->styleNew & bars;
                style_ = (s->styleNew & ~bars) | (style_ & bars);
                readOnly_ = (style_ & ES_READONLY) != 0;
                if (kind_ == ControlKind::Edit && IsMultiLine()) {
                    wrap_ = (style_ & (ES_AUTOHSCROLL | WS_HSCROLL)) || (allowedBars_ & WS_HSCROLL) ? WrapMode::None
                                                                                                : WrapMode::Window;
                }
                UpdateFormatRect();
                Rewrap();
                UpdateScrollBars();
                InvalidateAll();
            }
            return 0;
        case WM_SYSCOLORCHANGE: InvalidateAll(); return 0;
        default: handled = false; return 0;
    }
}

}  // namespace win32::richedit
