#include "classlib/edit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "classlib/consts.h"
#include "classlib/exceptions.h"
#include "classlib/graphics.h"
#include "classlib/messages.h"
#include "platform/kernel/codepage.h"

namespace classlib {

using namespace win32;

namespace {

constexpr std::size_t kLineBytes = 4096;

}  // namespace

std::string CutToAnsiBytes(const std::string& utf8, std::size_t limit) {
    std::size_t bytes = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t next = pos;
        bytes += static_cast<std::size_t>(text::SjisCharBytes(text::NextCodePoint(utf8, next)));
        if (bytes > limit) break;
        pos = next;
    }
    return utf8.substr(0, pos);
}

// ---- TCustomEdit ---------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    // Edits keep the window colour whatever their parent paints with.
    SetColor(clWindow);
    SetParentColor(false);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    CreateSubClass(p, PlatformClass());
    p.Style |= ES_LEFT;
    if (readOnly_) p.Style |= ES_READONLY;
    if (!hideSelection_) p.Style |= ES_NOHIDESEL;
    if (passwordChar_ != '\0') p.Style |= ES_PASSWORD;
    if (charCase_ == ecUpperCase) p.Style |= ES_UPPERCASE;
    if (charCase_ == ecLowerCase) p.Style |= ES_LOWERCASE;
    if (borderStyle_ == bsSingleEdit) p.ExStyle |= WS_EX_CLIENTEDGE;
    p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomEdit::InitializeWindow() {
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    if (passwordChar_ != '\0' && passwordChar_ != '*') {
        SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<WPARAM>(static_cast<unsigned char>(passwordChar_)), 0);
    }
    SendMessageA(Handle(), EM_SETMODIFY, modifiedBeforeHandle_, 0);
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::ControlColors(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    Brush()->SetColor(Color());
    m.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
}

void TCustomEdit::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            if (HIWORD(m.WParam) == EN_CHANGE) Change();
            m.Result = 0;
            return;
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORSTATIC: return ControlColors(m);
        case WM_PAINT:
        case WM_ERASEBKGND:
            // The platform control paints itself.
            return DefaultHandler(m);
        default: TWinControl::Dispatch(m);
    }
}

int TCustomEdit::SelStart() {
    DWORD start = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int start) { SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start); }

int TCustomEdit::SelLength() {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int length) {
    int start = SelStart();
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + std::max(0, length));
}

std::string TCustomEdit::SelText() {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::u16string all = text::Utf8ToUtf16(Text());
    start = std::min<DWORD>(start, static_cast<DWORD>(all.size()));
    end = std::clamp<DWORD>(end, start, static_cast<DWORD>(all.size()));
    return text::Utf16ToUtf8(all.substr(start, end - start));
}

void TCustomEdit::SetSelText(const std::string& text) {
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

int TCustomEdit::GetTextLen() { return static_cast<int>(text::Utf8ToUtf16(Text()).size()); }

void TCustomEdit::SetMaxLength(int length) {
    maxLength_ = std::max(0, length);
    if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
}

bool TCustomEdit::Modified() {
    if (!HandleAllocated()) return modifiedBeforeHandle_;
    return SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool modified) {
    modifiedBeforeHandle_ = modified;
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETMODIFY, modified, 0);
}

void TCustomEdit::SetHideSelection(bool hide) {
    if (hide == hideSelection_) return;
    hideSelection_ = hide;
    RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char c) {
    if (c == passwordChar_) return;
    passwordChar_ = c;
    RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase charCase) {
    if (charCase == charCase_) return;
    charCase_ = charCase;
    RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyleEdit style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    RecreateWnd();
}

bool TCustomEdit::CanUndo() { return SendMessageA(Handle(), EM_CANUNDO, 0, 0) != 0; }
void TCustomEdit::Undo() { SendMessageA(Handle(), WM_UNDO, 0, 0); }
void TCustomEdit::ClearUndo() { SendMessageA(Handle(), EM_EMPTYUNDOBUFFER, 0, 0); }
void TCustomEdit::Clear() { SetText(""); }
void TCustomEdit::ClearSelection() { SendMessageA(Handle(), WM_CLEAR, 0, 0); }
void TCustomEdit::CutToClipboard() { SendMessageA(Handle(), WM_CUT, 0, 0); }
void TCustomEdit::CopyToClipboard() { SendMessageA(Handle(), WM_COPY, 0, 0); }
void TCustomEdit::PasteFromClipboard() { SendMessageA(Handle(), WM_PASTE, 0, 0); }
void TCustomEdit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

// ---- TMemoStrings ------------------------------------------------------------

int TMemoStrings::Count() const {
    HWND h = memo_->Handle();
    int count = static_cast<int>(SendMessageA(h, EM_GETLINECOUNT, 0, 0));
    // An empty last line (after a final line break) is no entry.
    LRESULT last = SendMessageA(h, EM_LINEINDEX, static_cast<WPARAM>(count - 1), 0);
    if (count > 0 && SendMessageA(h, EM_LINELENGTH, static_cast<WPARAM>(last), 0) == 0) --count;
    return count;
}

std::string TMemoStrings::Get(int index) const {
    // Room for 4096 bytes of code page 932 as UTF-8, and the line break.
    std::vector<char> buffer(3 * kLineBytes + 8, '\0');
    *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size());
    LRESULT n = SendMessageA(memo_->Handle(), EM_GETLINE, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(buffer.data()));
    std::string line(buffer.data(), static_cast<std::size_t>(std::max<LRESULT>(n, 0)));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return CutToAnsiBytes(line, kLineBytes);
}

void TMemoStrings::Put(int index, const std::string& s) {
    HWND h = memo_->Handle();
    LRESULT start = SendMessageA(h, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
    if (start < 0) return;
    LRESULT length = SendMessageA(h, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
    SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(start), start + length);
    SendMessageA(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

bool TMemoStrings::InsertAt(int position, const std::string& text) const {
    HWND h = memo_->Handle();
    SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(position), position);
    SendMessageA(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
    DWORD caret = 0;
    SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    return static_cast<int>(caret) == position + static_cast<int>(text::Utf8ToUtf16(text).size());
}

void TMemoStrings::Insert(int index, const std::string& s) {
    if (index < 0) return;
    HWND h = memo_->Handle();
    LRESULT at = SendMessageA(h, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
    std::string text;
    if (at >= 0) {
        text = s + "\r\n";
    } else {
        at = SendMessageA(h, EM_LINEINDEX, static_cast<WPARAM>(index - 1), 0);
        if (at < 0) return;
        LRESULT length = SendMessageA(h, EM_LINELENGTH, static_cast<WPARAM>(at), 0);
        if (length == 0) return;
        at += length;
        text = "\r\n" + s;
    }
    InsertAt(static_cast<int>(at), text);
}

void TMemoStrings::Delete(int index) {
    HWND h = memo_->Handle();
    LRESULT start = SendMessageA(h, EM_LINEINDEX, static_cast<WPARAM>(index), 0);
    if (start < 0) return;
    LRESULT end = SendMessageA(h, EM_LINEINDEX, static_cast<WPARAM>(index + 1), 0);
    if (end < 0) end = start + SendMessageA(h, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
    SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(start), end);
    SendMessageA(h, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(""));
}

void TMemoStrings::Clear() { memo_->Clear(); }

std::string TMemoStrings::Text() const { return memo_->Text(); }

void TMemoStrings::SetText(const std::string& text) {
    HWND h = memo_->Handle();
    if (!SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) {
        throw EInvalidOperation(SMemoTooLarge);
    }
    memo_->Perform(CM_TEXTCHANGED, 0, 0);
}

void TMemoStrings::SetUpdateState(bool updating) {
    if (!memo_->HandleAllocated()) return;
    SendMessageA(memo_->Handle(), WM_SETREDRAW, !updating, 0);
    if (!updating) memo_->Refresh();
}

// ---- TCustomMemo ------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this)) {
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (!wordWrap_) p.Style |= ES_AUTOHSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= WS_HSCROLL;
    if (wantReturns_) p.Style |= ES_WANTRETURN;
}

void TCustomMemo::SetScrollBars(TScrollStyle style) {
    if (style == scrollBars_) return;
    scrollBars_ = style;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_) return;
    wordWrap_ = wrap;
    RecreateWnd();
}

void TCustomMemo::Dispatch(TMessage& m) {
    if (m.Msg == WM_GETDLGCODE) {
        TCustomEdit::Dispatch(m);
        if (!wantTabs_) m.Result &= ~DLGC_WANTTAB;
        if (wantTabs_) m.Result |= DLGC_WANTTAB;
        return;
    }
    TCustomEdit::Dispatch(m);
}

}  // namespace classlib
