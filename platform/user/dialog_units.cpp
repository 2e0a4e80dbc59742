// Dialog units: a quarter of the dialog font's average character width
// horizontally, an eighth of its height vertically.
#include "platform/kernel/winbase.h"
#include "platform/user/dialog_manager.h"

namespace win32 {

using namespace user;

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    if (!rect) return FALSE;
    dialog::DialogState* state = dialog::Dialogs().Find(dialog);
    if (!state) return FALSE;
    const SIZE b = state->baseUnits;
    rect->left = MulDiv(rect->left, b.cx, 4);
    rect->right = MulDiv(rect->right, b.cx, 4);
    rect->top = MulDiv(rect->top, b.cy, 8);
    rect->bottom = MulDiv(rect->bottom, b.cy, 8);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    SIZE b = dialog::BaseUnitsOf(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return MAKELONG(static_cast<WORD>(b.cx), static_cast<WORD>(b.cy));
}

}  // namespace win32
