#include <cstring>

#include "platform/comdlg/comdlg_internal.h"

namespace win32 {
namespace comdlg {

namespace {
DWORD g_lastError = 0;
}

void SetError(DWORD error) { g_lastError = error; }

DLGITEMTEMPLATE Item(const char* cls, const std::string& text, int id, DWORD style, short x, short y, short cx,
                     short cy) {
    DLGITEMTEMPLATE i;
    i.windowClass = cls;
    i.title = text;
    i.id = static_cast<WORD>(id);
    i.style = style | WS_CHILD | WS_VISIBLE;
    i.x = x;
    i.y = y;
    i.cx = cx;
    i.cy = cy;
    return i;
}

const DLGTEMPLATE* CustomTemplate(bool byHandle, bool byName, HINSTANCE instance, LPCSTR name, bool* failed) {
    *failed = false;
    if (byHandle) {
        const auto* t = reinterpret_cast<const DLGTEMPLATE*>(instance);
        if (!t) {
            SetError(CDERR_NOTEMPLATE);
            *failed = true;
        }
        return t;
    }
    if (!byName) return nullptr;
    if (!name) {
        SetError(CDERR_NOTEMPLATE);
        *failed = true;
        return nullptr;
    }
    const DLGTEMPLATE* t = FindDialogTemplate(instance, name);
    if (!t) {
        SetError(CDERR_FINDRESFAILURE);
        *failed = true;
    }
    return t;
}

}  // namespace comdlg

DWORD CommDlgExtendedError() { return comdlg::g_lastError; }

short GetFileTitleA(LPCSTR file, LPSTR title, WORD size) {
    if (!file) return -1;
    const char* name = file;
    for (const char* p = file; *p; ++p) {
        if (*p == '/' || *p == '\\') name = p + 1;
    }
    std::size_t n = std::strlen(name);
    if (n == 0) return -1;
    if (!title || size == 0) return static_cast<short>(n + 1);
    if (n + 1 > size) return static_cast<short>(n + 1);
    std::memcpy(title, name, n + 1);
    return 0;
}

}  // namespace win32
