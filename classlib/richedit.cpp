#include "classlib/richedit.h"

#include <algorithm>
#include <cstring>

#include "classlib/consts.h"
#include "classlib/graphics.h"
#include "classlib/messages.h"
#include "classlib/streams.h"
#include "platform/kernel/codepage.h"
#include "platform/kernel/safe_save.h"

namespace classlib {

using namespace win32;

namespace {

TRichEdit::PrinterFactory& Factory() {
    static TRichEdit::PrinterFactory factory;
    return factory;
}

struct StreamCookie {
    TStream* stream = nullptr;
    kernel::SafeFileWriter* writer = nullptr;
    kernel::SaveStatus status;
};

// Exceptions stop here: the control hears of a failure by the error code.
DWORD CALLBACK ReadCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* got) {
    auto* c = reinterpret_cast<StreamCookie*>(cookie);
    try {
        *got = static_cast<LONG>(c->stream->Read(buffer, size));
        return 0;
    } catch (...) {
        *got = 0;
        return 1;
    }
}

DWORD CALLBACK WriteCallback(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* took) {
    auto* c = reinterpret_cast<StreamCookie*>(cookie);
    *took = 0;
    try {
        if (c->writer) {
            c->status = c->writer->Write(buffer, static_cast<std::size_t>(size));
            if (!c->status.ok()) return 1;
        } else {
            c->stream->WriteBuffer(buffer, size);
        }
        *took = size;
        return 0;
    } catch (...) {
        return 1;
    }
}

void RaiseSaveFailure(kernel::SaveFailure failure, const std::string& fileName) {
    if (failure == kernel::SaveFailure::CannotCreate) throw EFCreateError(FormatResource(SFCreateError, {fileName}));
    throw EWriteError(SWriteError);
}

}  // namespace

// ---- TRichEditStrings -----------------------------------------------------------

void TRichEditStrings::Insert(int index, const std::string& s) {
    if (index < 0) return;
    HWND h = Memo()->Handle();
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
    if (!InsertAt(static_cast<int>(at), text)) throw EOutOfResources(SRichEditInsertError);
}

void TRichEditStrings::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TRichEditStrings::LoadFromStream(TStream* stream) {
    StreamCookie cookie;
    cookie.stream = stream;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, ReadCallback};
    SendMessageA(Memo()->Handle(), EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
    if (es.dwError != 0) throw EReadError(SReadError);
}

void TRichEditStrings::SaveToFile(const std::string& fileName) {
    kernel::SafeFileWriter writer;
    kernel::SaveStatus status = writer.Open(fileName);
    if (!status.ok()) RaiseSaveFailure(status.failure, fileName);
    StreamCookie cookie;
    cookie.writer = &writer;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, WriteCallback};
    SendMessageA(Memo()->Handle(), EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&es));
    if (es.dwError != 0) {
        writer.Abandon();
        RaiseSaveFailure(cookie.status.ok() ? kernel::SaveFailure::WriteFailed : cookie.status.failure, fileName);
    }
    status = writer.Commit();
    if (!status.ok()) RaiseSaveFailure(status.failure, fileName);
}

void TRichEditStrings::SaveToStream(TStream* stream) {
    StreamCookie cookie;
    cookie.stream = stream;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cookie), 0, WriteCallback};
    SendMessageA(Memo()->Handle(), EM_STREAMOUT, SF_TEXT, reinterpret_cast<LPARAM>(&es));
    if (es.dwError != 0) throw EWriteError(SWriteError);
}

// ---- TRichEdit --------------------------------------------------------------------

TRichEdit::TRichEdit(TComponent* owner) : TCustomMemo(owner) {
    SetLinesObject(std::make_unique<TRichEditStrings>(this));
    SetWantTabs(true);
}

void TRichEdit::InitializeWindow() {
    TCustomMemo::InitializeWindow();
    HWND h = Handle();
    SendMessageA(h, EM_EXLIMITTEXT, 0, MaxLength());
    SendMessageA(h, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_PROTECTED);
    SendMessageA(h, EM_SETTARGETDEVICE, 0, WordWrap() ? 0 : 1);
    SendMessageA(h, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    ApplyFont();
}

void TRichEdit::ApplyFont() {
    if (!HandleAllocated()) return;
    CHARFORMATA f{};
    f.cbSize = sizeof f;
    f.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR | CFM_CHARSET;
    LOGFONTA lf = Font()->LogFont();
    std::memcpy(f.szFaceName, lf.lfFaceName, LF_FACESIZE);
    f.bPitchAndFamily = lf.lfPitchAndFamily;
    f.bCharSet = lf.lfCharSet;
    // Twips at the font's 96 pixels an inch.
    f.yHeight = std::abs(static_cast<int>(lf.lfHeight)) * 15;
    if (lf.lfWeight >= FW_BOLD) f.dwEffects |= CFE_BOLD;
    if (lf.lfItalic) f.dwEffects |= CFE_ITALIC;
    if (lf.lfUnderline) f.dwEffects |= CFE_UNDERLINE;
    if (lf.lfStrikeOut) f.dwEffects |= CFE_STRIKEOUT;
    f.crTextColor = ColorToRGB(Font()->Color());
    SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&f));
}

void TRichEdit::SetWordWrap(bool wrap) {
    if (wrap == WordWrap()) return;
    // The memo's own setter would make the window again: not with a long document.
    SetWordWrapFlag(wrap);
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
}

void TRichEdit::SetScrollBars(TScrollStyle style) {
    if (style == ScrollBars()) return;
    SetScrollBarsFlag(style);
    ApplyStyleBars();
}

void TRichEdit::ApplyStyleBars() {
    if (!HandleAllocated()) return;
    HWND h = Handle();
    DWORD style = static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE)) & ~(WS_VSCROLL | WS_HSCROLL);
    if (ScrollBars() == ssVertical || ScrollBars() == ssBoth) style |= WS_VSCROLL;
    if (ScrollBars() == ssHorizontal || ScrollBars() == ssBoth) style |= WS_HSCROLL;
    SetWindowLongA(h, GWL_STYLE, static_cast<LONG>(style));
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int TRichEdit::GetTextLen() {
    GETTEXTLENGTHEX g{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<int>(SendMessageA(Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&g), 0));
}

int TRichEdit::FindText(const std::string& text, int start, int length, TSearchTypes options) {
    FINDTEXTA f{{start, start + length}, text.c_str()};
    WPARAM flags = (options.Contains(stWholeWord) ? FT_WHOLEWORD : 0) | (options.Contains(stMatchCase) ? FT_MATCHCASE : 0);
    return static_cast<int>(SendMessageA(Handle(), EM_FINDTEXT, flags, reinterpret_cast<LPARAM>(&f)));
}

int TRichEdit::LostCharacters() {
    return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), EM_GETLOSTCHARCOUNT, 0, 0)) : 0;
}

void TRichEdit::SetPrinterFactory(PrinterFactory factory) { Factory() = std::move(factory); }

void TRichEdit::Print(const std::string& caption) {
    if (!Factory()) throw EInvalidOperation(SInvalidPrinter);
    std::unique_ptr<TRichEditPrintTarget> target = Factory()();
    if (!target) throw EInvalidOperation(SInvalidPrinter);
    Print(caption, *target);
}

void TRichEdit::Print(const std::string& caption, TRichEditPrintTarget& target) {
    HWND h = Handle();
    HDC dc = target.BeginDoc(caption);
    int logX = std::max(1, GetDeviceCaps(dc, LOGPIXELSX));
    int logY = std::max(1, GetDeviceCaps(dc, LOGPIXELSY));
    TRect page = target.PageRect();
    FORMATRANGE range{};
    range.hdc = dc;
    range.hdcTarget = dc;
    range.rc = RECT{page.left * 1440 / logX, page.top * 1440 / logY, page.right * 1440 / logX,
                    page.bottom * 1440 / logY};
    range.rcPage = range.rc;
    range.chrg = CHARRANGE{0, -1};
    int oldMap = SetMapMode(dc, MM_TEXT);
    SendMessageA(h, EM_FORMATRANGE, 0, 0);
    try {
        int length = GetTextLen();
        LONG last = 0;
        do {
            range.chrg.cpMin = last;
            last = static_cast<LONG>(SendMessageA(h, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
            if (last < length && last != -1) {
                target.NewPage();
                range.hdc = range.hdcTarget = dc;
            }
        } while (last < length && last != -1 && last > range.chrg.cpMin);
        target.EndDoc();
    } catch (...) {
        SendMessageA(h, EM_FORMATRANGE, 0, 0);
        SetMapMode(dc, oldMap);
        throw;
    }
    SendMessageA(h, EM_FORMATRANGE, 0, 0);
    SetMapMode(dc, oldMap);
}

void TRichEdit::SelectionChange() {
    if (OnSelectionChange) OnSelectionChange(this);
}

void TRichEdit::Dispatch(TMessage& m) {
    switch (m.Msg) {
        case CN_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
            if (header && header->code == EN_SELCHANGE) SelectionChange();
            m.Result = 0;
            return;
        }
        case CM_COLORCHANGED:
            TCustomMemo::Dispatch(m);
            if (HandleAllocated()) SendMessageA(Handle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
            return;
        case CM_FONTCHANGED:
            TCustomMemo::Dispatch(m);
            ApplyFont();
            return;
        default: TCustomMemo::Dispatch(m);
    }
}

}  // namespace classlib
