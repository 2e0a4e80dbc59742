// Input-method composition for the focused window. The backend reports the
// text being composed; the focused window is told by posted messages (so
// they keep their order with the committed text, which follows as input)
// and reads the text with ImmGetCompositionStringA.
#include <cstring>

#include "platform/kernel/codepage.h"
#include "platform/user/caret.h"
#include "platform/user/window_manager.h"

namespace win32 {
namespace user {
namespace {

struct Composition {
    std::string text;  // UTF-8
    HWND target = nullptr;
    bool active = false;
};

Composition& State() {
    static Composition composition;
    return composition;
}

// Any non-null value names the thread's one input context.
HIMC const kContext = reinterpret_cast<HIMC>(static_cast<UINT_PTR>(0x1C0));

}  // namespace

void DeliverComposition(const std::string& utf8) {
    Composition& c = State();
    HWND focus = Wm().focus;
    if (c.active && c.target != focus) {
        // Focus moved while composing: the old window's composition ends.
        if (Wm().Find(c.target)) PostMessageA(c.target, WM_IME_ENDCOMPOSITION, 0, 0);
        c.active = false;
    }
    c.text = utf8;
    if (!focus) return;
    if (!utf8.empty() && !c.active) {
        c.active = true;
        c.target = focus;
        PostMessageA(focus, WM_IME_STARTCOMPOSITION, 0, 0);
    }
    if (!c.active) return;
    PostMessageA(focus, WM_IME_COMPOSITION, 0, utf8.empty() ? 0 : static_cast<LPARAM>(GCS_COMPSTR | GCS_CURSORPOS));
    if (utf8.empty()) {
        PostMessageA(focus, WM_IME_ENDCOMPOSITION, 0, 0);
        c.active = false;
    }
}

}  // namespace user

using namespace user;

HIMC ImmGetContext(HWND hwnd) { return Wm().Find(hwnd) ? kContext : nullptr; }

BOOL ImmReleaseContext(HWND hwnd, HIMC context) { return Wm().Find(hwnd) && context == kContext; }

LONG ImmGetCompositionStringA(HIMC context, DWORD index, LPVOID buffer, DWORD size) {
    if (context != kContext) return 0;
    const std::string& text = State().text;
    if (index == GCS_CURSORPOS) return static_cast<LONG>(text::Utf8ToUtf16(text).size());
    if (index != GCS_COMPSTR) return 0;
    if (size == 0) return static_cast<LONG>(text.size());
    if (!buffer) return 0;
    // Never cut a character in two.
    std::size_t n = std::min<std::size_t>(text.size(), size);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    std::memcpy(buffer, text.data(), n);
    return static_cast<LONG>(n);
}

}  // namespace win32
