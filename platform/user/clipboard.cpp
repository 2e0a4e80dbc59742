// The clipboard over the backend's text clipboard. Text is handed to the
// backend when the clipboard is closed after a change; other programs see
// UTF-8 in which the byte escapes of invalid Shift-JIS have become U+FFFD,
// while this program gets back its own text unchanged as long as nobody
// else took the clipboard since.
#include <cstring>
#include <map>

#include "platform/kernel/codepage.h"
#include "platform/kernel/winbase.h"
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

struct Clipboard {
    bool open = false;
    HWND opener = nullptr;
    HWND owner = nullptr;
    bool changed = false;             // emptied or set in this session
    std::map<UINT, HGLOBAL> pending;  // set in this session
    std::map<UINT, HGLOBAL> rendered; // handed out by GetClipboardData
    std::string ownText;              // our last text, escapes and all
    std::string ownPublished;         // what the backend got of it
    DWORD sequence = 1;
};

Clipboard& State() {
    static Clipboard clipboard;
    return clipboard;
}

bool IsTextFormat(UINT format) { return format == CF_TEXT || format == CF_UNICODETEXT || format == CF_OEMTEXT; }

void FreeAll(std::map<UINT, HGLOBAL>& blocks) {
    for (auto& [format, block] : blocks) GlobalFree(block);
    blocks.clear();
}

std::string WithoutEscapes(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char32_t c : text::CodePoints(utf8)) text::AppendUtf8(out, text::IsByteEscape(c) ? text::kReplacementChar : c);
    return out;
}

// The text of a block in the given format, as UTF-8.
bool ReadBlock(UINT format, HGLOBAL block, std::string& out) {
    const void* p = GlobalLock(block);
    if (!p) return false;
    std::size_t size = GlobalSize(block);
    if (format == CF_UNICODETEXT) {
        const char16_t* s = static_cast<const char16_t*>(p);
        std::size_t n = 0;
        while (n < size / 2 && s[n] != 0) ++n;
        out = text::Utf16ToUtf8(std::u16string_view(s, n));
    } else {
        const char* s = static_cast<const char*>(p);
        out.assign(s, strnlen(s, size));
    }
    GlobalUnlock(block);
    return true;
}

HGLOBAL MakeBlock(UINT format, const std::string& utf8) {
    if (format == CF_UNICODETEXT) {
        std::u16string wide = text::Utf8ToUtf16(utf8);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(char16_t));
        if (!block) return nullptr;
        auto* p = static_cast<char16_t*>(GlobalLock(block));
        std::memcpy(p, wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
        GlobalUnlock(block);
        return block;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, utf8.size() + 1);
    if (!block) return nullptr;
    auto* p = static_cast<char*>(GlobalLock(block));
    std::memcpy(p, utf8.c_str(), utf8.size() + 1);
    GlobalUnlock(block);
    return block;
}

// The clipboard's text now, preferring our own copy when it is still the
// one on the clipboard.
bool CurrentText(std::string& out) {
    Clipboard& c = State();
    backend::Backend* b = Wm().Backend();
    if (!b) return false;
    std::string published;
    if (!b->GetClipboardText(published)) return false;
    out = published == c.ownPublished && !c.ownText.empty() ? c.ownText : published;
    return true;
}

}  // namespace
}  // namespace user

using namespace user;

BOOL OpenClipboard(HWND owner) {
    Clipboard& c = State();
    // A clipboard left open by a window that is gone is free again.
    if (c.open && (!c.opener || Wm().Find(c.opener))) return FALSE;
    if (owner && !Wm().Find(owner)) return FALSE;
    c.open = true;
    c.opener = owner;
    c.changed = false;
    return TRUE;
}

BOOL CloseClipboard() {
    Clipboard& c = State();
    if (!c.open) return FALSE;
    c.open = false;
    if (!c.changed) return TRUE;
    c.changed = false;
    ++c.sequence;
    std::string text;
    bool has = false;
    for (UINT format : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
        auto it = c.pending.find(format);
        if (it != c.pending.end() && ReadBlock(format, it->second, text)) {
            has = true;
            break;
        }
    }
    FreeAll(c.pending);
    backend::Backend* b = Wm().Backend();
    if (!has || !b) return TRUE;
    c.ownText = text;
    c.ownPublished = WithoutEscapes(text);
    b->SetClipboardText(c.ownPublished);
    return TRUE;
}

BOOL EmptyClipboard() {
    Clipboard& c = State();
    if (!c.open) return FALSE;
    FreeAll(c.pending);
    FreeAll(c.rendered);
    c.owner = c.opener;
    c.changed = true;
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    Clipboard& c = State();
    // Only text is carried, and rendering on request is not offered.
    if (!c.open || !data || !IsTextFormat(format)) return nullptr;
    auto it = c.pending.find(format);
    if (it != c.pending.end()) GlobalFree(it->second);
    c.pending[format] = data;
    c.changed = true;
    return data;
}

HANDLE GetClipboardData(UINT format) {
    Clipboard& c = State();
    if (!c.open || !IsTextFormat(format)) return nullptr;
    std::string text;
    bool has = false;
    // What this session set comes first.
    for (UINT f : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
        auto it = c.pending.find(f);
        if (it != c.pending.end() && ReadBlock(f, it->second, text)) {
            has = true;
            break;
        }
    }
    if (!has && !CurrentText(text)) return nullptr;
    HGLOBAL block = MakeBlock(format, text);
    if (!block) return nullptr;
    auto it = c.rendered.find(format);
    if (it != c.rendered.end()) GlobalFree(it->second);
    c.rendered[format] = block;
    return block;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    Clipboard& c = State();
    if (!IsTextFormat(format)) return FALSE;
    if (c.open && !c.pending.empty()) return TRUE;
    backend::Backend* b = Wm().Backend();
    return b && b->HasClipboardText() ? TRUE : FALSE;
}

UINT EnumClipboardFormats(UINT format) {
    if (!State().open || !IsClipboardFormatAvailable(CF_TEXT)) return 0;
    switch (format) {
        case 0: return CF_TEXT;
        case CF_TEXT: return CF_UNICODETEXT;
        case CF_UNICODETEXT: return CF_OEMTEXT;
        default: return 0;
    }
}

int CountClipboardFormats() { return IsClipboardFormatAvailable(CF_TEXT) ? 3 : 0; }

HWND GetClipboardOwner() {
    Clipboard& c = State();
    return c.owner && Wm().Find(c.owner) ? c.owner : nullptr;
}

HWND GetOpenClipboardWindow() {
    Clipboard& c = State();
    return c.open ? c.opener : nullptr;
}

DWORD GetClipboardSequenceNumber() { return State().sequence; }

}  // namespace win32
