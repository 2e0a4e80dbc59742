// The editor control behind the "RICHEDIT" and "EDIT" classes: one object
// per window, holding the document, its wrap layout, the selection, the
// view (scroll position, format rectangle, font and colours) and the state
// of the keyboard, the mouse and the input method.
//
// The window procedure (edit_messages.cpp) unpacks each message and calls a
// handler here. Handlers that call out (notifications to the parent, the
// clipboard, stream callbacks) may find the window destroyed when the call
// returns; they check Alive() before going on, and the object itself is
// deleted only once the outermost message has returned (Guard).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/richedit/line_painter.h"
#include "platform/richedit/richedit.h"
#include "platform/richedit/text_document.h"
#include "platform/richedit/wrap_layout.h"
#include "platform/user/winuser.h"

namespace win32::richedit {

enum class ControlKind { RichEdit, Edit };

// How the text wraps: at the format rectangle's width, not at all, or at a
// fixed width (EM_SETTARGETDEVICE with a line width).
enum class WrapMode { Window, None, Fixed };

struct Selection {
    Pos anchor = 0;
    Pos caret = 0;
    Pos Min() const { return anchor < caret ? anchor : caret; }
    Pos Max() const { return anchor < caret ? caret : anchor; }
    bool Empty() const { return anchor == caret; }
};

class EditControl final : private TextObserver {
public:
    EditControl(HWND hwnd, ControlKind kind, const CREATESTRUCTA& create);
    ~EditControl();
    EditControl(const EditControl&) = delete;
    EditControl& operator=(const EditControl&) = delete;

    // The window procedure's body (edit_messages.cpp).
    LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);

    // The control of a window of either class, or null.
    static EditControl* FromWindow(HWND hwnd);
    // Window procedures of the two classes share this.
    static LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, ControlKind kind);

    // For the class library and tests: the document and the last stream-out's
    // count of characters written as '?'.
    const TextDocument& Document() const { return doc_; }
    std::size_t LostCharacters() const { return lostChars_; }

private:
    friend class EditGuard;

    // ---- Life ------------------------------------------------------------
    bool Alive() const { return !destroyed_; }
    bool IsRich() const { return kind_ == ControlKind::RichEdit; }
    bool IsMultiLine() const { return IsRich() || (style_ & ES_MULTILINE); }
    void OnTextChanged(const TextChange& change) override;
    void OnTextRemoving(Pos position, Pos length) override;

    // ---- Text and editing (edit_control.cpp) ------------------------------
    struct Edit {
        Pos start;
        Pos end;
        std::u16string_view text;
        EditKind kind = EditKind::Other;
        bool canUndo = true;
    };
    // Replaces a range, puts the caret after the new text and tells the
    // parent; returns false when the window went away meanwhile.
    bool Replace(const Edit& edit);
    bool ReplaceSelection(std::u16string_view text, EditKind kind, bool canUndo = true);
    bool SetText(std::u16string_view text);
    // After the whole text was replaced (set, streamed in): caret to the
    // start, view to the top, the parent told.
    bool WholeTextReplaced(const Selection& before, bool changed, bool truncated, bool notifyChange);
    // Text as the control takes it in: single-line edits keep the first line.
    std::u16string Accept(std::u16string_view text) const;
    std::u16string TextOf(Pos start, Pos end) const;
    std::size_t Utf8Length();
    bool Undo();
    bool Redo();
    bool Cut();
    bool Copy();
    bool Paste();
    bool Clear();
    bool CanPaste() const;
    bool CanEdit() const;

    // ---- Selection (edit_control.cpp) -------------------------------------
    enum SelectFlags : unsigned { kSelectNone = 0, kKeepDesiredX = 1, kScrollToCaret = 2, kFromTyping = 4 };
    // Moves anchor and caret (snapped to character boundaries) and tells the
    // parent when they changed; returns false when the window went away.
    bool Select(Pos anchor, Pos caret, unsigned flags = kSelectNone);
    Pos Snap(Pos pos) const { return doc_.Store().Snap(pos); }

    // ---- Notifications (edit_control.cpp) ---------------------------------
    bool NotifyCommand(WORD code);
    bool NotifySelectionChange();
    bool NotifyChange();
    bool NotifyMaxText();

    // ---- View (edit_view.cpp) ---------------------------------------------
    void ApplyFont(const LOGFONTA& lf);
    void UpdateMetrics();
    void UpdateFormatRect();
    int WrapWidthNow() const;
    void Rewrap();
    Pos VisibleLineCount() const;
    Pos DisplayLineOfCaret();
    // x of a position within its display line, from the line's left edge.
    int XInLine(const DisplayLine& line, Pos pos);
    Pos PosAtX(const DisplayLine& line, int x);
    POINT PointOf(Pos pos, bool atLineEnd);
    Pos PosAtPoint(POINT pt, bool* atLineEnd = nullptr);
    int LineTop(Pos displayLine) const;
    void ScrollTo(Pos firstLine, int xOffset);
    void ScrollLines(Pos lines);
    bool ScrollCaretIntoView();
    void UpdateScrollBars();
    int MaxLineWidth();
    void InvalidateLines(Pos first, Pos last);
    void InvalidateRange(Pos start, Pos end);
    void InvalidateAll();
    void UpdateCaret();
    void Paint(HDC dc, const RECT& area);
    LineStyle CurrentStyle(HDC dc);

    // ---- Input (edit_input.cpp) --------------------------------------------
    LRESULT OnKeyDown(UINT vk, LPARAM flags);
    LRESULT OnChar(char32_t c);
    bool MoveCaret(UINT vk, bool shift, bool control);
    LRESULT OnMouseDown(POINT pt, WPARAM keys, bool doubleClick);
    LRESULT OnMouseMove(POINT pt);
    LRESULT OnMouseUp();
    void AutoScroll();
    LRESULT OnWheel(int delta, WPARAM keys);
    LRESULT OnSetFocus();
    LRESULT OnKillFocus();
    LRESULT OnComposition(LPARAM flags);
    LRESULT OnVScroll(WORD code);
    LRESULT OnHScroll(WORD code);

    // ---- Messages (edit_messages.cpp) -----------------------------------
    LRESULT TextMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT SelectionMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT LineMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT ViewMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT RichMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT WindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT GetLine(Pos line, LPARAM buffer);
    LRESULT FindText(WPARAM flags, const CHARRANGE& range, LPCSTR what, CHARRANGE* found);
    LRESULT SetCharFormat(const CHARFORMATA& format);
    LRESULT GetCharFormat(CHARFORMATA& format) const;
    void SetTargetDevice(HDC dc, LONG lineWidth);

    // ---- Streams and printing (edit_stream.cpp, edit_print.cpp) ------------
    LRESULT StreamIn(WPARAM format, EDITSTREAM* stream);
    LRESULT StreamOut(WPARAM format, EDITSTREAM* stream);
    LRESULT FormatRange(bool render, const FORMATRANGE* range);
    LRESULT DisplayBand(const RECT* band);

    HWND hwnd_;
    ControlKind kind_;
    DWORD style_;
    TextDocument doc_;
    FontMeasurer measurer_;
    std::unique_ptr<WrapLayout> layout_;

    Selection sel_;
    bool caretAtLineEnd_ = false;  // a caret at a soft break shows at the end of the upper line
    int desiredX_ = -1;            // x kept by vertical caret moves
    bool hideSelection_ = false;

    // View.
    Pos firstLine_ = 0;  // top display line
    int xOffset_ = 0;    // horizontal scroll in pixels
    RECT formatRect_{0, 0, 0, 0};
    bool customRect_ = false;
    WrapMode wrap_ = WrapMode::Window;
    int fixedWidth_ = 0;
    DWORD allowedBars_ = 0;  // WS_VSCROLL/WS_HSCROLL the window was made with
    bool updatingBars_ = false;
    int lineHeight_ = 16;
    int maxWidth_ = -1;  // widest line with wrap off; -1 unknown

    // Appearance.
    LOGFONTA logFont_{};
    HFONT font_ = nullptr;
    HFONT boxFont_ = nullptr;
    COLORREF textColor_ = 0;
    bool autoColor_ = true;
    COLORREF backColor_ = 0xFFFFFF;
    bool systemBack_ = true;
    char32_t passwordChar_ = 0;

    // Behaviour.
    bool readOnly_ = false;
    DWORD eventMask_ = 0;
    bool modified_ = false;
    bool overtype_ = false;
    bool focused_ = false;

    // Mouse.
    bool dragging_ = false;
    bool dragByWord_ = false;
    Pos dragWordStart_ = 0;
    Pos dragWordEnd_ = 0;
    POINT lastMouse_{0, 0};
    bool autoScrolling_ = false;
    int wheelRemainder_ = 0;

    // Input method.
    std::u16string composition_;

    // Bookkeeping.
    std::size_t lostChars_ = 0;
    std::size_t utf8Length_ = 0;
    bool utf8Known_ = true;
    std::uint64_t changeStamp_ = 0;
    Pos lastFormatEnd_ = -1;
    FORMATRANGE lastFormat_{};
    int depth_ = 0;
    bool destroyed_ = false;
};

// Keeps the control alive while a message is handled; the outermost guard
// deletes a control whose window was destroyed meanwhile.
class EditGuard {
public:
    explicit EditGuard(EditControl* c) : c_(c) { ++c_->depth_; }
    ~EditGuard();
    EditGuard(const EditGuard&) = delete;
    EditGuard& operator=(const EditGuard&) = delete;

private:
    EditControl* c_;
};

}  // namespace win32::richedit
