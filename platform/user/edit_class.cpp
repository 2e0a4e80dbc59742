// The "EDIT" window class: single- and multi-line edit controls on the
// editor engine of the rich-edit control, without its own messages.
#include "platform/richedit/edit_control.h"

namespace win32 {
namespace {

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return richedit::EditControl::Dispatch(hwnd, msg, wParam, lParam, richedit::ControlKind::Edit);
}

}  // namespace

void RegisterEditClass() {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, "EDIT", &wc)) return;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = EditProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    wc.lpszClassName = "EDIT";
    RegisterClassA(&wc);
}

}  // namespace win32
