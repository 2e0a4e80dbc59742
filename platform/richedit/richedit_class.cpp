// The "RICHEDIT" window class.
#include "platform/richedit/edit_control.h"

namespace win32 {
namespace {

LRESULT CALLBACK RichEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return richedit::EditControl::Dispatch(hwnd, msg, wParam, lParam, richedit::ControlKind::RichEdit);
}

}  // namespace

void RegisterRichEditClass() {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, RICHEDIT_CLASSA, &wc)) return;
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = RichEditProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    wc.lpszClassName = RICHEDIT_CLASSA;
    RegisterClassA(&wc);
}

}  // namespace win32
